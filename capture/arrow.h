// The White Arrow: the grab spot, the drag, and the shot that makes or
// strengthens a hero.
#pragma once

// The game's own executable path as the system reports it; set once at start-up.
extern char ownExePath[260];

// The grab spot: client x and y both from 51 to 81, ends included.
bool isOnGrabSpot(int x, int y);
// The White Arrow may be drawn: no hero yet, or the second arrow is offered.
bool whiteArrowAvailable();
// Mouse messages, in client coordinates of the main window (the signed
// 16-bit halves of the message's position).
void onLeftButtonDown(int x, int y);
void onMouseMove(int x, int y);
void onLeftButtonUp(int x, int y);
// A drag whose release can no longer reach the game ends without a shot:
// the arrow goes back to its spot and the mouse is let go. Nothing is
// counted and nothing else changes.
void cancelWhiteArrow();
// The shot: the window under the release position, its program's file, and
// the first or second arrow made from its Fingerprint.
void releaseWhiteArrow(int x, int y);
// Puts the file's icon into the slot (HeroIcon or SecondIcon) and has the
// window repainted.
void setCapturedIcon(const char* path, int slot);
