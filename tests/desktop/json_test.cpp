// The JSON reader on malformed and hostile replies: each is refused with a
// reason, none crashes (the tests run under the sanitizers).
#include <gtest/gtest.h>

#include <string>

#include "shell/gtk/json.h"

TEST(JsonReader, RefusesMalformedTextWithAReason)
{
    const char* malformed[] = {
        "", "   ", "{", "[1,", "[1 2]", "{\"a\" 1}", "{\"a\":}", "{a:1}", "[1,]", "\"abc",
        "\"\\x\"", "\"\\u12\"", "\"\\ud800\"", "\"\\ud800\\u0041\"", "\"\\udc00\"",
        "\"tab\there\"", "01", "1.", "-", "1e", "+1", "tru", "nul", "{} x", "[]]", "NaN",
    };
    for (const char* text : malformed) {
        Json value;
        std::string error;
        EXPECT_FALSE(parseJson(text, &value, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    // Cut short anywhere, a real reply is refused, never read past its end.
    std::string reply = "{\"x\":[1,2.5e3,{\"y\":\"\\u00e9\"}],\"z\":true,\"w\":null}";
    for (size_t length = 0; length < reply.size(); ++length) {
        Json value;
        EXPECT_FALSE(parseJson(reply.substr(0, length), &value, nullptr)) << length;
    }
}

TEST(JsonReader, BoundsNestingInsteadOfExhaustingTheStack)
{
    Json value;
    std::string error;
    EXPECT_FALSE(parseJson(std::string(100000, '['), &value, &error));
    EXPECT_NE(error.find("deep"), std::string::npos) << error;
    std::string nested = std::string(200, '[') + std::string(200, ']');
    EXPECT_TRUE(parseJson(nested, &value, &error)) << error;
}

TEST(JsonReader, DecodesEscapesToUtf8)
{
    Json value;
    std::string error;
    ASSERT_TRUE(parseJson("{\"app_id\":\"caf\\u00e9 \\ud83d\\ude00\\t\\\"\\/\"}", &value, &error))
        << error;
    EXPECT_EQ(jsonText(value.member("app_id")), "caf\xc3\xa9 \xf0\x9f\x98\x80\t\"/");
}

TEST(JsonReader, WholeNumbersOnlyWithinTheirBounds)
{
    Json value;
    ASSERT_TRUE(parseJson("[7, -3, 2.5, 1e300, -1e400, 9223372036854775808, \"8\", 0]", &value,
                          nullptr));
    long long out = 0;
    const std::vector<Json>& items = value.items;
    EXPECT_TRUE(jsonInteger(&items[0], 0, 10, &out));
    EXPECT_EQ(out, 7);
    EXPECT_FALSE(jsonInteger(&items[1], 0, 10, &out));  // below the bound
    EXPECT_FALSE(jsonInteger(&items[2], 0, 10, &out));  // a fraction
    for (int huge : {3, 4, 5})
        EXPECT_FALSE(jsonInteger(&items[huge], -(1LL << 62), 1LL << 62, &out)) << huge;
    EXPECT_FALSE(jsonInteger(&items[6], 0, 10, &out));  // a string
    EXPECT_FALSE(jsonFlag(&items[7]));
    EXPECT_TRUE(jsonFlag(&items[0]));
}
