// What the native game's White Arrow finds on the desktop, offered without
// GTK headers so that a tool finds programs exactly as the game does.
#pragma once

#include <string>

// Connects to the X display for a tool; false when there is none.
bool openToolDesktop();

enum PickResult { WindowPicked, PickCancelled, PickRefused };
// The pointer becomes a crosshair until a click (the client window under it,
// found as the White Arrow's release finds it) or Escape; PickRefused when
// the pointer or keyboard cannot be grabbed. ready runs once the crosshair
// is on, before the first click can count.
PickResult pickWindow(unsigned long* window, void (*ready)());

enum ProgramLookup { ProgramFound, NoProcess, ProgramUnreadable };
// The program file of the process that made the window: NoProcess when no
// process is known for it (the root window, a window of another machine's
// client), ProgramUnreadable when its file is gone, replaced, or belongs to
// a process not ours to look into.
ProgramLookup programOfWindow(unsigned long window, std::string* systemPath);

// A window of the game itself (its main window or one of its boxes).
bool isGameWindow(unsigned long window);
