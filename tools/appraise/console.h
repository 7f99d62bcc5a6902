// What the appraisal tool needs from the system it runs on besides the file
// and digest verbs: console output, the reason an open failed, and the path
// as the game would see it.
#pragma once

#include <string>

// Writes Shift_JIS text to standard output in the console's own encoding.
void writeConsole(const std::string& sjis);
// Writes Shift_JIS text to standard error in the console's own encoding.
void writeConsoleError(const std::string& sjis);
// Why the last fileOpen failed, as a short Shift_JIS text.
std::string openFailureReason();
// The command-line path as the game's window lookup would report it:
// Shift_JIS bytes with backslashes between folders.
std::string gamePathOf(const char* argument);
