// The JSON reader: a recursive descent over the text with a depth bound, so
// that no reply can exhaust the stack; numbers through strtod on a bounded copy.
#include "shell/gtk/json.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int maxDepth = 256;

struct Reader {
    const std::string& text;
    size_t at = 0;
    std::string error;

    bool fail(const char* why)
    {
        if (error.empty())
            error = std::string(why) + " at byte " + std::to_string(at);
        return false;
    }
    void skipSpace()
    {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
            ++at;
    }
    bool literal(const char* word)
    {
        size_t length = std::strlen(word);
        if (text.compare(at, length, word) != 0)
            return fail("unknown word");
        at += length;
        return true;
    }
    bool hex4(unsigned* out)
    {
        if (text.size() - at < 4)
            return fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            char c = text[at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                return fail("bad \\u escape");
        }
        *out = value;
        return true;
    }
    static void appendUtf8(std::string* out, unsigned code)
    {
        if (code < 0x80) {
            out->push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out->push_back(static_cast<char>(0xc0 | code >> 6));
            out->push_back(static_cast<char>(0x80 | (code & 0x3f)));
        } else if (code < 0x10000) {
            out->push_back(static_cast<char>(0xe0 | code >> 12));
            out->push_back(static_cast<char>(0x80 | (code >> 6 & 0x3f)));
            out->push_back(static_cast<char>(0x80 | (code & 0x3f)));
        } else {
            out->push_back(static_cast<char>(0xf0 | code >> 18));
            out->push_back(static_cast<char>(0x80 | (code >> 12 & 0x3f)));
            out->push_back(static_cast<char>(0x80 | (code >> 6 & 0x3f)));
            out->push_back(static_cast<char>(0x80 | (code & 0x3f)));
        }
    }
    bool string(std::string* out)
    {
        ++at;  // the opening quote
        for (;;) {
            if (at >= text.size())
                return fail("unterminated string");
            unsigned char c = static_cast<unsigned char>(text[at++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return fail("control character in a string");
            if (c != '\\') {
                out->push_back(static_cast<char>(c));
                continue;
            }
            if (at >= text.size())
                return fail("unterminated escape");
            char e = text[at++];
            switch (e) {
            case '"': case '\\': case '/': out->push_back(e); break;
            case 'b': out->push_back('\b'); break;
            case 'f': out->push_back('\f'); break;
            case 'n': out->push_back('\n'); break;
            case 'r': out->push_back('\r'); break;
            case 't': out->push_back('\t'); break;
            case 'u': {
                unsigned code = 0;
                if (!hex4(&code))
                    return false;
                if (code >= 0xdc00 && code <= 0xdfff)
                    return fail("lone low surrogate");
                if (code >= 0xd800 && code <= 0xdbff) {
                    unsigned low = 0;
                    if (text.compare(at, 2, "\\u") != 0)
                        return fail("lone high surrogate");
                    at += 2;
                    if (!hex4(&low))
                        return false;
                    if (low < 0xdc00 || low > 0xdfff)
                        return fail("bad low surrogate");
                    code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
                }
                appendUtf8(out, code);
                break;
            }
            default: return fail("unknown escape");
            }
        }
    }
    bool number(double* out)
    {
        size_t start = at;
        if (at < text.size() && text[at] == '-')
            ++at;
        size_t digits = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        if (at == digits)
            return fail("bad number");
        if (text[digits] == '0' && at - digits > 1)
            return fail("leading zero");
        if (at < text.size() && text[at] == '.') {
            size_t fraction = ++at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
            if (at == fraction)
                return fail("bad fraction");
        }
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-'))
                ++at;
            size_t exponent = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
            if (at == exponent)
                return fail("bad exponent");
        }
        if (at - start > 400)
            return fail("number too long");
        std::string copy = text.substr(start, at - start);
        *out = std::strtod(copy.c_str(), nullptr);  // huge ones become infinite
        return true;
    }
    bool value(Json* out, int depth)
    {
        if (depth > maxDepth)
            return fail("nested too deep");
        skipSpace();
        if (at >= text.size())
            return fail("value missing");
        char c = text[at];
        switch (c) {
        case 'n': out->type = Json::Null; return literal("null");
        case 't': out->type = Json::Bool; out->boolean = true; return literal("true");
        case 'f': out->type = Json::Bool; out->boolean = false; return literal("false");
        case '"': out->type = Json::String; return string(&out->text);
        case '[': {
            out->type = Json::Array;
            ++at;
            skipSpace();
            if (at < text.size() && text[at] == ']') {
                ++at;
                return true;
            }
            for (;;) {
                out->items.emplace_back();
                if (!value(&out->items.back(), depth + 1))
                    return false;
                skipSpace();
                if (at < text.size() && text[at] == ',') {
                    ++at;
                    continue;
                }
                if (at < text.size() && text[at] == ']') {
                    ++at;
                    return true;
                }
                return fail("expected , or ]");
            }
        }
        case '{': {
            out->type = Json::Object;
            ++at;
            skipSpace();
            if (at < text.size() && text[at] == '}') {
                ++at;
                return true;
            }
            for (;;) {
                skipSpace();
                if (at >= text.size() || text[at] != '"')
                    return fail("expected a member name");
                out->members.emplace_back();
                if (!string(&out->members.back().first))
                    return false;
                skipSpace();
                if (at >= text.size() || text[at] != ':')
                    return fail("expected :");
                ++at;
                if (!value(&out->members.back().second, depth + 1))
                    return false;
                skipSpace();
                if (at < text.size() && text[at] == ',') {
                    ++at;
                    continue;
                }
                if (at < text.size() && text[at] == '}') {
                    ++at;
                    return true;
                }
                return fail("expected , or }");
            }
        }
        default:
            if (c == '-' || (c >= '0' && c <= '9')) {
                out->type = Json::Number;
                return number(&out->number);
            }
            return fail("unexpected character");
        }
    }
};

}  // namespace

const Json* Json::member(const char* key) const
{
    if (type != Object)
        return nullptr;
    for (const auto& entry : members)
        if (entry.first == key)
            return &entry.second;
    return nullptr;
}

bool parseJson(const std::string& text, Json* value, std::string* error)
{
    Reader reader{text, 0, std::string()};
    Json parsed;
    bool good = reader.value(&parsed, 0);
    if (good) {
        reader.skipSpace();
        if (reader.at != text.size())
            good = reader.fail("text after the value");
    }
    if (!good) {
        if (error)
            *error = reader.error;
        return false;
    }
    *value = std::move(parsed);
    return true;
}

bool jsonInteger(const Json* value, long long low, long long high, long long* out)
{
    if (!value || value->type != Json::Number || !std::isfinite(value->number))
        return false;
    double number = value->number;
    // Compared as doubles first, within +-2^62, so that the conversion below
    // is always defined.
    const double limit = 4611686018427387904.0;
    if (number < -limit || number > limit || number < static_cast<double>(low) ||
        number > static_cast<double>(high) || std::floor(number) != number)
        return false;
    *out = static_cast<long long>(number);
    return *out >= low && *out <= high;
}

bool jsonFlag(const Json* value)
{
    if (!value)
        return false;
    if (value->type == Json::Bool)
        return value->boolean;
    return value->type == Json::Number && value->number != 0;
}

std::string jsonText(const Json* value)
{
    return value && value->type == Json::String ? value->text : std::string();
}
