// The X11 desktop through Xlib and the X Resource extension, on GDK's own
// connection, with X errors trapped: a window may go away at any moment.
#include "shell/gtk/xdesktop.h"

#include "shell/gtk/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <cstring>
#include <vector>

static Display* xDisplay()
{
    GdkDisplay* display = gdk_display_get_default();
    return display && GDK_IS_X11_DISPLAY(display) ? GDK_DISPLAY_XDISPLAY(display) : nullptr;
}

// Runs an Xlib request sequence with errors trapped; false if one failed.
template <typename Requests>
static bool trapped(Requests requests)
{
    GdkDisplay* display = gdk_display_get_default();
    gdk_x11_display_error_trap_push(display);
    bool done = requests();
    XSync(xDisplay(), False);
    return gdk_x11_display_error_trap_pop(display) == 0 && done;
}

XWindowId rootWindow()
{
    Display* dpy = xDisplay();
    return dpy ? DefaultRootWindow(dpy) : 0;
}

XWindowId windowOfWidget(void* gtkWidget)
{
    GdkWindow* window = gtkWidget ? gtk_widget_get_window(GTK_WIDGET(gtkWidget)) : nullptr;
    return window && GDK_IS_X11_WINDOW(window) ? GDK_WINDOW_XID(window) : 0;
}

static bool hasProperty(Display* dpy, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(dpy, window, property, 0, 0, False, AnyPropertyType, &type,
                                    &format, &count, &after, &data);
    if (data)
        XFree(data);
    return status == Success && type != None;
}

// Down from the root to the first window with WM_STATE (0 for none);
// *deepest is the deepest window reached.
static XWindowId windowAt(int rootX, int rootY, XWindowId* deepest)
{
    Display* dpy = xDisplay();
    *deepest = 0;
    if (!dpy)
        return 0;
    Atom wmState = XInternAtom(dpy, "WM_STATE", False);
    Window root = DefaultRootWindow(dpy);
    Window at = root;
    Window found = 0;
    trapped([&] {
        for (int depth = 0; depth < 64; ++depth) {
            int x = 0;
            int y = 0;
            Window child = None;
            if (!XTranslateCoordinates(dpy, root, at, rootX, rootY, &x, &y, &child) || child == None)
                return true;
            at = child;
            if (hasProperty(dpy, at, wmState)) {
                found = at;
                return true;
            }
        }
        return true;
    });
    *deepest = at;
    return found;
}

XWindowId clientWindowAt(int rootX, int rootY)
{
    XWindowId deepest = 0;
    XWindowId found = windowAt(rootX, rootY, &deepest);
    return found ? found : deepest;
}

XWindowId managedWindowAt(int rootX, int rootY)
{
    XWindowId deepest = 0;
    return windowAt(rootX, rootY, &deepest);
}

static bool pidFromServer(Display* dpy, Window window, pid_t* pid)
{
    int event = 0;
    int error = 0;
    if (!XResQueryExtension(dpy, &event, &error))
        return false;
    XResClientIdSpec spec;
    spec.client = window;
    spec.mask = XRES_CLIENT_ID_PID_MASK;
    long count = 0;
    XResClientIdValue* values = nullptr;
    bool found = false;
    trapped([&] {
        if (XResQueryClientIds(dpy, 1, &spec, &count, &values) != Success)
            return false;
        for (long i = 0; i < count && !found; ++i) {
            pid_t value = XResGetClientPid(&values[i]);
            if (value > 0) {
                *pid = value;
                found = true;
            }
        }
        return true;
    });
    if (values)
        XResClientIdsDestroy(count, values);
    return found;
}

// A CARDINAL property of up to maxCells cells (a long each in Xlib); empty
// when the window has none or is gone.
static std::vector<unsigned long> cardinals(Display* dpy, Window window, const char* name,
                                            long maxCells)
{
    Atom property = XInternAtom(dpy, name, False);
    std::vector<unsigned long> cells;
    trapped([&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, window, property, 0, maxCells, False, XA_CARDINAL, &type,
                               &format, &count, &after, &data) == Success &&
            data && format == 32) {
            const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
            cells.assign(values, values + count);
        }
        if (data)
            XFree(data);
        return true;
    });
    return cells;
}

static bool pidFromProperty(Display* dpy, Window window, pid_t* pid)
{
    std::vector<unsigned long> cells = cardinals(dpy, window, "_NET_WM_PID", 1);
    long value = cells.size() == 1 ? static_cast<long>(cells[0]) : 0;
    if (value <= 0 || value > 0x7fffffff)
        return false;
    *pid = static_cast<pid_t>(value);
    return true;
}

bool processOfWindow(XWindowId window, pid_t* pid)
{
    Display* dpy = xDisplay();
    if (!dpy || window == 0 || window == DefaultRootWindow(dpy))
        return false;
    return pidFromServer(dpy, window, pid) || pidFromProperty(dpy, window, pid);
}

// _NET_WM_ICON holds pictures one after another: width, height, then
// width x height pixels as ARGB, each in one CARDINAL (a long in Xlib).
cairo_surface_t* iconOfWindow(XWindowId window)
{
    Display* dpy = xDisplay();
    if (!dpy || window == 0)
        return nullptr;
    // At most 4 Mi cells, which holds a 1024 x 1024 icon and more.
    std::vector<unsigned long> cells = cardinals(dpy, window, "_NET_WM_ICON", 4 << 20);
    size_t best = 0;
    unsigned long bestWidth = 0;
    unsigned long bestHeight = 0;
    long bestDistance = -1;
    for (size_t at = 0; at + 2 <= cells.size();) {
        unsigned long w = cells[at] & 0xffffffffu;
        unsigned long h = cells[at + 1] & 0xffffffffu;
        if (w == 0 || h == 0 || w > 4096 || h > 4096 || (cells.size() - at - 2) / w < h)
            break;  // a malformed picture ends the list
        long distance = labs(static_cast<long>(w) - 32) + labs(static_cast<long>(h) - 32);
        if (bestDistance < 0 || distance < bestDistance ||
            (distance == bestDistance && w > bestWidth)) {
            best = at;
            bestWidth = w;
            bestHeight = h;
            bestDistance = distance;
        }
        at += 2 + w * h;
    }
    if (bestDistance < 0)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(bestWidth), static_cast<int>(bestHeight));
    unsigned char* pixels = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (unsigned long y = 0; y < bestHeight; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(pixels + y * stride);
        for (unsigned long x = 0; x < bestWidth; ++x) {
            uint32_t argb = static_cast<uint32_t>(cells[best + 2 + y * bestWidth + x]);
            uint32_t a = argb >> 24;
            uint32_t r = (argb >> 16 & 0xff) * a / 255;
            uint32_t g = (argb >> 8 & 0xff) * a / 255;
            uint32_t b = (argb & 0xff) * a / 255;
            row[x] = a << 24 | r << 16 | g << 8 | b;  // cairo wants premultiplied colour
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

static bool hasGameClass(Display* dpy, Window window)
{
    XClassHint hint = {nullptr, nullptr};
    if (!XGetClassHint(dpy, window, &hint))
        return false;
    bool game = hint.res_class && std::strcmp(hint.res_class, "TAVRENNE") == 0;
    if (hint.res_name)
        XFree(hint.res_name);
    if (hint.res_class)
        XFree(hint.res_class);
    return game;
}

// The game's client windows below this one: its main window, and the boxes
// that are transient for it.
static void collectGameWindows(Display* dpy, Window window, Atom wmState, int depth,
                               std::vector<Window>* found)
{
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(dpy, window, &root, &parent, &children, &count))
        return;
    for (unsigned i = 0; i < count; ++i) {
        if (hasProperty(dpy, children[i], wmState)) {
            if (hasGameClass(dpy, children[i]))
                found->push_back(children[i]);
        } else if (depth < 3) {
            collectGameWindows(dpy, children[i], wmState, depth + 1, found);
        }
    }
    if (children)
        XFree(children);
}

static void activate(Display* dpy, Window window)
{
    Window root = DefaultRootWindow(dpy);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // asked for by a pager-like tool: the user's own wish
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    // Without a window manager nobody answers that: map and raise it ourselves.
    XMapRaised(dpy, window);
    XFlush(dpy);
}

bool isGameWindow(unsigned long window)
{
    Display* dpy = xDisplay();
    bool game = false;
    if (dpy && window)
        trapped([&] {
            game = hasGameClass(dpy, window);
            return true;
        });
    return game;
}

bool bringFirstCopyForward()
{
    Display* dpy = xDisplay();
    if (!dpy)
        return false;
    Atom wmState = XInternAtom(dpy, "WM_STATE", False);
    std::vector<Window> windows;
    trapped([&] {
        collectGameWindows(dpy, DefaultRootWindow(dpy), wmState, 0, &windows);
        return true;
    });
    if (windows.empty())
        return false;
    // Its last active pop-up: a box transient for another of its windows.
    Window chosen = windows[0];
    for (Window window : windows) {
        Window owner = None;
        if (XGetTransientForHint(dpy, window, &owner) && owner != None)
            chosen = window;
    }
    trapped([&] {
        activate(dpy, chosen);
        return true;
    });
    return true;
}
