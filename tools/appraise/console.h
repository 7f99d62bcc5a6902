// What the appraisal tool needs from the system it runs on besides the file
// and digest verbs: console output, the reason an open failed, and the path
// as the game would see it.
#pragma once

#include <string>
#include <vector>

// Writes Shift_JIS text to standard output in the console's own encoding.
void writeConsole(const std::string& sjis);
// Writes Shift_JIS text to standard error in the console's own encoding.
void writeConsoleError(const std::string& sjis);
// Why the last fileOpen failed; for OtherOpenFailure, the system's own
// words in detail.
enum OpenFailure {
    FileNotFound,
    NoPermission,
    LockedByWriter,
    NotAPlainFile,
    OtherOpenFailure,
    OpenFailureCount
};
OpenFailure lastOpenFailure(std::string* detail);

// --window: the pointer picks a window (the prompt, on standard error, says
// when it can), and its program is found as the game's White Arrow finds it.
// On a Wayland desktop whose compositor the game asks, the window under the
// compositor's pointer is taken after a countdown (pointPrompt) instead.
enum PickOutcome {
    PickedProgram,     // path: the program, in the file verbs' form
    PickedTheGame,     // the game's own window
    PickedNoProcess,   // the desktop, or a window of no known process
    PickedUnreadable,  // its program is gone, replaced, or another user's
    PickGivenUp,       // Escape
    PickNotGrabbed,    // another program holds the pointer or the keyboard
    PickNoDisplay,
    PickNoAnswer,      // the compositor did not say which window is under its pointer
    PickUnsupported,   // not on this system
};
PickOutcome pickProgramWindow(const std::string& prompt, const std::string& pointPrompt,
                              std::string* path);
// The command line's file arguments in the form the file verbs take: on
// Linux as typed; on Windows the Shift_JIS form of the wide command line,
// with the real path kept behind it, so any file name is read.
std::vector<std::string> fileArguments(int argc, char** argv);
// Writes a path from fileArguments on a line of its own.
void writePathLine(const std::string& path);
// The command-line path as the game's window lookup would report it:
// Shift_JIS bytes with backslashes between folders.
std::string gamePathOf(const char* argument);
