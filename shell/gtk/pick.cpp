// Picking a window with a crosshair, for the tools: the X display through
// GDK's connection, as the game's own White Arrow uses it.
#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>

#include "shell/gtk/desktop.h"
#include "shell/gtk/windowat.h"

bool openToolDesktop()
{
    gdk_set_allowed_backends("x11");
    return gdk_init_check(nullptr, nullptr) && gdk_display_get_default() &&
           GDK_IS_X11_DISPLAY(gdk_display_get_default());
}

PickResult pickWindow(unsigned long* window, void (*ready)())
{
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (!gdkDisplay || !GDK_IS_X11_DISPLAY(gdkDisplay))
        return PickRefused;
    Display* dpy = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    Window root = DefaultRootWindow(dpy);
    Cursor crosshair = XCreateFontCursor(dpy, XC_crosshair);
    int pointer = XGrabPointer(dpy, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                               GrabModeAsync, None, crosshair, CurrentTime);
    int keyboard = XGrabKeyboard(dpy, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    PickResult result = PickRefused;
    if (pointer == GrabSuccess && keyboard == GrabSuccess) {
        if (ready)
            ready();
        for (;;) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == ButtonPress && event.xbutton.button == Button1) {
                // Asked as the White Arrow asks: in a Wayland session the
                // desktop's own X11 windows are nobody's program either.
                WindowAt found = sessionDesktop().windowAt(event.xbutton.x_root,
                                                           event.xbutton.y_root);
                *window = found.kind == X11WindowAt ? found.xWindow : 0;
                result = WindowPicked;
                break;
            }
            if (event.type == KeyPress && XLookupKeysym(&event.xkey, 0) == XK_Escape) {
                result = PickCancelled;
                break;
            }
        }
    }
    if (pointer == GrabSuccess)
        XUngrabPointer(dpy, CurrentTime);
    if (keyboard == GrabSuccess)
        XUngrabKeyboard(dpy, CurrentTime);
    XFreeCursor(dpy, crosshair);
    XSync(dpy, False);
    return result;
}

bool pointerOnRoot(int* rootX, int* rootY)
{
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (!gdkDisplay || !GDK_IS_X11_DISPLAY(gdkDisplay))
        return false;
    Display* dpy = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    Window root = None;
    Window child = None;
    int x = 0;
    int y = 0;
    unsigned mask = 0;
    if (!XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, rootX, rootY, &x, &y, &mask))
        return false;
    return true;
}
