// What the Win32 files share: the instance, the main window, its resources
// and child controls. Defined in app.cpp, filled at start-up and WM_CREATE.
#pragma once

#include <windows.h>

#include "shell/platform.h"

extern HINSTANCE appInstance;
extern HWND mainWindow;
extern HICON appIcon;
extern HCURSOR hoverCursor;
extern HCURSOR aimCursor;
extern HFONT smallFont;
extern HFONT logFont;
// When the message loop last asked for a message (GetTickCount): input made
// before then waited in the queue while the game was busy.
extern DWORD messagesAwaitedSince;

// The child control's window, or null before WM_CREATE made it.
HWND controlWindow(Control control);
// The font a drawing verb or a control uses.
HFONT fontOf(Font font);

// Window creation and destruction (controls.cpp, paint.cpp).
void createControls(HWND parent);
void createDrawingResources();
void releaseDrawingResources();
// The DC of the paint pass in progress, or null outside one.
HDC currentPaintDC();

// Records the exe's path and makes its folder the working directory; 0 on
// success, 1 when the directory cannot be set.
int enterOwnFolder();

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
