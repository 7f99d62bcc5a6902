// Conversions between the game's Shift_JIS (code page 932) and UTF-8, one
// character at a time so that a broken character spoils only itself.
#include "shell/posix/sjis_text.h"

#include <iconv.h>

#include <cstdio>

// Converts one piece with a fresh conversion state; false when iconv refuses it.
static bool convert(const char* to, const char* from, const std::string& in, std::string* out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result(in.size() * 4 + 8, '\0');
    char* inAt = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outAt = &result[0];
    size_t outLeft = result.size();
    bool ok = iconv(cd, &inAt, &inLeft, &outAt, &outLeft) != static_cast<size_t>(-1) &&
              iconv(cd, nullptr, nullptr, &outAt, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return false;
    result.resize(result.size() - outLeft);
    *out = result;
    return true;
}

static bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

static bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xfc && byte != 0x7f;
}

std::string sjisToUtf8(const std::string& sjis)
{
    std::string out;
    if (convert("UTF-8", "CP932", sjis, &out))
        return out;  // the usual case: the whole text at once
    out.clear();
    size_t i = 0;
    while (i < sjis.size()) {
        unsigned char byte = static_cast<unsigned char>(sjis[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        size_t width = isLeadByte(byte) && i + 1 < sjis.size() &&
                               isTrailByte(static_cast<unsigned char>(sjis[i + 1]))
                           ? 2
                           : 1;
        std::string character;
        if (convert("UTF-8", "CP932", sjis.substr(i, width), &character)) {
            out += character;
            i += width;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x", byte);
        out += escape;
        ++i;
    }
    return out;
}

bool utf8ToSjis(const std::string& utf8, std::string* sjis)
{
    return convert("CP932", "UTF-8", utf8, sjis);
}

// The length of the UTF-8 character that starts with this byte, 0 for a
// byte that starts none.
static size_t utf8Length(unsigned char byte)
{
    if (byte < 0x80)
        return 1;
    if (byte >= 0xc2 && byte <= 0xdf)
        return 2;
    if (byte >= 0xe0 && byte <= 0xef)
        return 3;
    if (byte >= 0xf0 && byte <= 0xf4)
        return 4;
    return 0;
}

std::string utf8ToSjisLossy(const std::string& utf8)
{
    std::string out;
    if (convert("CP932", "UTF-8", utf8, &out))
        return out;
    out.clear();
    size_t i = 0;
    while (i < utf8.size()) {
        // A character, or the longest broken start of one: either is one piece.
        size_t width = utf8Length(static_cast<unsigned char>(utf8[i]));
        size_t piece = 1;
        while (piece < width && i + piece < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + piece]) & 0xc0) == 0x80)
            ++piece;
        std::string character;
        if (width > 0 && piece == width && convert("CP932", "UTF-8", utf8.substr(i, width), &character))
            out += character;
        else
            out += '?';
        i += piece;
    }
    return out;
}
