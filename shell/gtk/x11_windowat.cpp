// The window at a point as the X server sees it: every window of an X11
// session, and the X11 windows (only) of a Wayland session through Xwayland.
#include "shell/gtk/windowat.h"
#include "shell/gtk/xdesktop.h"

static WindowAt x11WindowAt(int rootX, int rootY)
{
    WindowAt found;
    found.kind = X11WindowAt;
    found.xWindow = clientWindowAt(rootX, rootY);
    return found;
}

// Xwayland shows no native window, and the compositor may keep X11 windows
// of its own under all others (mutter's full-screen guard window belongs to
// gnome-shell): only a window that a window manager manages is a program's.
static WindowAt xwaylandWindowAt(int rootX, int rootY)
{
    WindowAt found;
    found.xWindow = managedWindowAt(rootX, rootY);
    found.kind = found.xWindow ? X11WindowAt : DesktopAt;
    return found;
}

const DesktopQuery x11Desktop = {"X11", x11WindowAt};
const DesktopQuery xwaylandDesktop = {"Xwayland", xwaylandWindowAt};
