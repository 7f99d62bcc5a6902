// Paths between the rules and a POSIX system. The rules see every path as
// Shift_JIS with backslashes, as on Windows, so that the name rules and the
// comparison with the game's own path hold; the system sees UTF-8 with
// slashes. A path with characters that have no Shift_JIS form cannot be
// turned back, so the real path behind a program's rule path is kept.
#pragma once

#include <string>

// The rules' form of a system path: each character without a Shift_JIS
// form is one "?".
std::string rulePathOf(const std::string& systemPath);
// Keeps the system path behind a rule path made by rulePathOf.
void rememberSystemPath(const std::string& rulePath, const std::string& systemPath);
// The system path of a rule path: the one kept for it, else its own
// characters in UTF-8 with slashes.
std::string systemPathOf(const char* rulePath);
