// A small reader of JSON text, for the compositors' replies: depth-bounded,
// without exceptions; malformed text is refused whole, with a reason.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct Json {
    enum Type { Null, Bool, Number, String, Array, Object };
    Type type = Null;
    bool boolean = false;
    double number = 0;                                  // any finite or infinite double
    std::string text;                                   // a string's UTF-8
    std::vector<Json> items;                            // an array's items
    std::vector<std::pair<std::string, Json>> members;  // an object's members, in order

    // The member named key of an object; null when absent or not an object.
    const Json* member(const char* key) const;
};

// Reads the whole of text (one value, white space around it) into *value;
// false with *error saying why when it is not JSON or nests deeper than 256.
bool parseJson(const std::string& text, Json* value, std::string* error);

// A whole number within [low, high]; false when value is null, not a number,
// fractional or out of range.
bool jsonInteger(const Json* value, long long low, long long high, long long* out);
// True for true and for a non-zero number (some replies give flags as 0/1).
bool jsonFlag(const Json* value);
// A string's text; empty for anything else.
std::string jsonText(const Json* value);
