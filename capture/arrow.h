// The White Arrow: the grab spot, the drag, and the shot that makes or
// strengthens a hero.
#pragma once

// The game's own executable path as the system reports it; set once at start-up.
extern char ownExePath[260];

bool isOnGrabSpot(int x, int y);
// The White Arrow may be drawn: no hero yet, or the second arrow is offered.
bool whiteArrowAvailable();
// Mouse messages, in client coordinates of the main window.
void onLeftButtonDown(int x, int y);
void onMouseMove(int x, int y);
void onLeftButtonUp(int x, int y);
void releaseWhiteArrow(int x, int y);
// Puts the file's icon into the slot and has the window repainted.
void setCapturedIcon(const char* path, int slot);
