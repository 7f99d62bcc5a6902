// The recording platform: implements every verb of shell/platform.h by
// storing the call (texts as their exact bytes) and answering from a script.
// Used by the native tests and the replay tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/platform.h"

struct RecordedCall {
    std::string verb;  // the verb's name, e.g. "setControlText"
    std::string text;  // its text argument, if any, byte for byte
    std::vector<int64_t> args;
};

struct ControlState {
    std::string text;
    bool enabled;
    bool shown;
};

struct FakeFile {
    std::string contents;
    uint64_t lastWrite = 0;        // Windows file time
    bool locked = false;           // the open fails (another holder writes it)
    bool timeUnreadable = false;   // the last-write time cannot be read
    bool readFails = false;        // the read fails
    bool tooLarge = false;         // the size does not fit in 32 bits
};

const WindowRef fakeMainWindow = 1;

// Forgets the calls and every scripted answer; controls back to their
// created state (hidden, enabled, initial texts); no files; no icons.
void resetRecorder();
std::vector<RecordedCall>& recordedCalls();
// The calls of one verb only.
std::vector<RecordedCall> callsOf(const std::string& verb);
// One call as a readable line (for test failure messages).
std::string describeCall(const RecordedCall& call);

ControlState controlState(Control control);

// Files.
void addFakeFile(const std::string& path, const FakeFile& file);
void removeFakeFile(const std::string& path);
int openFileCount();       // files opened and not yet closed
void setFakeNow(uint64_t fileTime);
// The digest to report instead of the real MD5 (the replay's shoot lines).
void scriptDigest(const unsigned char digest[16]);
void clearScriptedDigest();
// The digest verb reports a failure (a provider that refuses MD5).
void failDigest(bool fail);

// Windows under the pointer and their executables.
void scriptWindowAtPoint(WindowRef window);
void scriptWindowExe(WindowRef window, const std::string& path);

// Pictures that fail to load.
void failPictureLoad(Picture picture);

// Mouse, cursor and icons as the game left them.
bool mouseCaptured();
CursorShape lastCursor();
bool cursorWasSet();
bool iconSlotFilled(Icon slot);

// Windows file time of a UTC date at the given hour.
uint64_t fileTimeOf(int year, int month, int day, int hour = 12);
