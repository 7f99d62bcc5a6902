// Shift_JIS and UTF-8 for the native tools and the native game: the game's
// texts shown on a UTF-8 terminal or a GTK widget, and UTF-8 paths turned
// into the game's own bytes.
#pragma once

#include <string>

// Each Shift_JIS character as UTF-8; a byte that starts no valid character
// (such as the lone first half of a character cut in two) becomes \xNN.
std::string sjisToUtf8(const std::string& sjis);
// The UTF-8 text as Shift_JIS (code page 932); false when a character has
// no Shift_JIS form or the text is not valid UTF-8.
bool utf8ToSjis(const std::string& utf8, std::string* sjis);
// The same for a path that must come out whole: each character without a
// Shift_JIS form, and each byte that starts no valid UTF-8 character,
// becomes one "?", as Windows writes such a character in code page 932.
std::string utf8ToSjisLossy(const std::string& utf8);
