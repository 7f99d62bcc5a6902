// What the native game's White Arrow finds on the desktop, offered without
// GTK headers so that a tool finds programs exactly as the game does.
#pragma once

#include <sys/types.h>

#include <string>

// Connects to the X display for a tool; false when there is none.
bool openToolDesktop();

enum PickResult { WindowPicked, PickCancelled, PickRefused };
// The pointer becomes a crosshair until a click (the client window under it,
// found as the White Arrow's release finds it) or Escape; PickRefused when
// the pointer or keyboard cannot be grabbed. ready runs once the crosshair
// is on, before the first click can count.
PickResult pickWindow(unsigned long* window, void (*ready)());
// Where X last saw the pointer, in root coordinates; false without a display.
bool pointerOnRoot(int* rootX, int* rootY);

enum ProgramLookup { ProgramFound, NoProcess, ProgramUnreadable };
// The program file of the process that made the window: NoProcess when no
// process is known for it (the root window, a window of another machine's
// client), ProgramUnreadable when its file is gone, replaced, or belongs to
// a process not ours to look into.
ProgramLookup programOfWindow(unsigned long window, std::string* systemPath);
// The same for a process a compositor named (NoProcess for pid 0).
ProgramLookup programOfProcess(pid_t pid, std::string* systemPath);

// The Icon= of the desktop entry of a Wayland app id (tried as the entry's
// name, in lower case, by its last dot-separated part, then as an entry's
// StartupWMClass): a theme icon's name or a file's path; empty for none.
std::string iconNameOfApp(const std::string& appId);

// A window of the game itself (its main window or one of its boxes).
bool isGameWindow(unsigned long window);
