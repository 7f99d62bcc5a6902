// The White Arrow's verbs: the window under the release point (asked of the
// session's desktop), the program behind it, the pointer grab and the cursors.
#include <cstdio>
#include <cstring>
#include <string>

#include "shell/controls.h"
#include "shell/gtk/desktop.h"
#include "shell/gtk/images.h"
#include "shell/gtk/native.h"
#include "shell/gtk/windowat.h"
#include "shell/gtk/xdesktop.h"

// The last window the White Arrow found a program for, and that program's
// path as the rules see it: its icon is the hero's portrait (for a native
// Wayland window, the icon of its app id's desktop entry).
static unsigned long shotWindow = 0;
static std::string shotAppId;
static std::string shotPath;

// The last answer of the desktop, and the reference the rules got for it
// when it was a native Wayland window: X resource ids have their top three
// bits clear, so these references never clash with an X window.
static WindowAt lastFound;
static WindowRef nativeRef = 0;
static unsigned nativeCount = 0;

unsigned long windowOfShotPath(const char* rulePath)
{
    return rulePath && shotPath == rulePath ? shotWindow : 0;
}

std::string appIdOfShotPath(const char* rulePath)
{
    return rulePath && shotPath == rulePath ? shotAppId : std::string();
}

WindowRef platform::windowAtClientPoint(int x, int y)
{
    int originX = 0;
    int originY = 0;
    GdkWindow* bin = clientArea ? gtk_layout_get_bin_window(GTK_LAYOUT(clientArea)) : nullptr;
    if (bin)
        gdk_window_get_origin(bin, &originX, &originY);
    const DesktopQuery& desktop = sessionDesktop();
    lastFound = desktop.windowAt(originX + x, originY + y);
    switch (lastFound.kind) {
    case X11WindowAt:
        return static_cast<WindowRef>(lastFound.xWindow);
    case NativeWindowAt:
        nativeRef = 0xe0000000u | (++nativeCount & 0x0fffffffu);
        return nativeRef;
    case LookupFailed:
        std::fprintf(stderr, "tavrenne: %s gave no window: %s\n", desktop.name, lastFound.why.c_str());
        return 0;
    default:
        return 0;  // the desktop itself: nobody's program, as the bare X11 root
    }
}

bool platform::isMainWindow(WindowRef window)
{
    XWindowId main = windowOfWidget(mainWindow);
    return main != 0 && window == main;
}

bool platform::exePathOfWindow(WindowRef window, char path[260])
{
    std::string real;
    bool native = window != 0 && window == nativeRef && lastFound.kind == NativeWindowAt;
    ProgramLookup lookup = native ? programOfProcess(lastFound.pid, &real)
                                  : programOfWindow(window, &real);
    if (lookup != ProgramFound)
        return false;
    std::string rulePath = rulePathOf(real);
    if (rulePath.size() > 259)
        return false;  // a path the rules cannot hold whole
    std::memcpy(path, rulePath.c_str(), rulePath.size() + 1);
    rememberSystemPath(rulePath, real);
    shotWindow = native ? 0 : window;
    shotAppId = native ? lastFound.appId : std::string();
    shotPath = rulePath;
    return true;
}

// ---- the grab and the cursors ----

static GdkCursor* cursors[2];  // AimCursor, HoverCursor
static CursorShape shape = StandardCursor;
static bool choosing = false;

static GdkCursor* cursorOfFile(const unsigned char* bytes, size_t size)
{
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GdkCursor* cursor = nullptr;
    if (gdk_pixbuf_loader_write(loader, bytes, size, nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        if (GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader))
            cursor = gdk_cursor_new_from_pixbuf(gdk_display_get_default(), pixbuf,
                                                windowLayout.cursorHotX, windowLayout.cursorHotY);
    } else {
        gdk_pixbuf_loader_close(loader, nullptr);
    }
    g_object_unref(loader);
    return cursor;
}

static GdkCursor* cursorOf(CursorShape which)
{
    if (!cursors[0]) {
        cursors[0] = cursorOfFile(aimCursorFile, aimCursorFileSize);
        cursors[1] = cursorOfFile(hoverCursorFile, hoverCursorFileSize);
    }
    switch (which) {
    case AimCursor: return cursors[0];
    case HoverCursor: return cursors[1];
    default: return nullptr;  // the window's own: the standard arrow
    }
}

static void applyCursor()
{
    GdkWindow* bin = clientArea ? gtk_layout_get_bin_window(GTK_LAYOUT(clientArea)) : nullptr;
    if (bin)
        gdk_window_set_cursor(bin, cursorOf(shape));
}

void beginCursorChoice()
{
    choosing = true;
    shape = StandardCursor;
}

void endCursorChoice()
{
    choosing = false;
    applyCursor();
}

void platform::setCursorShape(CursorShape cursor)
{
    shape = cursor;
    if (!choosing)
        applyCursor();
}

void releaseCursors()
{
    for (GdkCursor*& cursor : cursors) {
        if (cursor)
            g_object_unref(cursor);
        cursor = nullptr;
    }
}

// Every pointer event goes to the client area while the arrow is drawn,
// wherever the pointer is, with the aiming cursor. In a Wayland session an
// X grab cannot hold the compositor's pointer, and Xwayland has been known to
// answer one with a second press at the root window's (0,0): there the
// press's own grab keeps the motions and the release coming (the
// compositor keeps the pointer on the window pressed while the button is
// held), and the cursor is the client area's, set by the rules.
void platform::captureMouse()
{
    GdkWindow* bin = clientArea ? gtk_layout_get_bin_window(GTK_LAYOUT(clientArea)) : nullptr;
    if (!bin)
        return;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (&sessionDesktop() == &x11Desktop)
        gdk_seat_grab(seat, bin, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, cursorOf(shape), nullptr,
                      nullptr, nullptr);
    // A press handled late, after the game was busy, may have lost its
    // release: X sends it to the window that took the press only while
    // that press's own grab lasts, and a grab let go meanwhile (the end of
    // an earlier drag, handled late as well) ends it. The grab would then
    // wait for a release that has gone elsewhere. The button's state comes
    // in a reply of the X server, after every event it sent before, so a
    // release of a quick drag that did reach the game is then on its way
    // through GDK, and the loop looks for it before it ends the drag.
    GdkDevice* pointer = gdk_seat_get_pointer(seat);
    GdkModifierType state = static_cast<GdkModifierType>(0);
    gdk_window_get_device_position(gdk_get_default_root_window(), pointer, nullptr, nullptr, &state);
    dragBegan(!(state & GDK_BUTTON1_MASK));
}

void platform::releaseMouse()
{
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    gdk_seat_ungrab(seat);
}
