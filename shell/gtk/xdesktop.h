// The X11 desktop beneath the native shell: windows under a point, the
// process behind a window, a window's own icon, and the windows of another
// copy of the game.
#pragma once

#include <sys/types.h>

#include <cairo.h>

#include <cstdint>

typedef unsigned long XWindowId;  // an X window id; 0 for none

// The top-level client window under the screen point: down from the root,
// the first window that carries WM_STATE; the deepest window reached when
// none does (the root window itself over the bare desktop).
XWindowId clientWindowAt(int rootX, int rootY);
// The same, but 0 where no window carries WM_STATE.
XWindowId managedWindowAt(int rootX, int rootY);
XWindowId rootWindow();
// The X window of a GTK top-level.
XWindowId windowOfWidget(void* gtkWidget);
// The process that made the window: the X server's own record of the
// client that owns it, else the window's _NET_WM_PID; false for neither.
bool processOfWindow(XWindowId window, pid_t* pid);
// The window's _NET_WM_ICON picture nearest 32 x 32, or null.
cairo_surface_t* iconOfWindow(XWindowId window);
// Brings the first copy's window (its box, if one is open) forward,
// restored if minimised; false when no window of class TAVRENNE is found.
bool bringFirstCopyForward();
