/* A program for the White Arrow to hit on an X11 desktop: one plain window
 * of the class the test names, where the test puts it, until the window
 * manager closes it.
 *
 * Usage: native-target CLASS X Y [icon|desktop]
 *        native-target --icon-ppm      (the 32 x 32 icon as a PPM, to stdout)
 *
 * The window is 160 x 120, its title and both parts of its WM_CLASS are
 * CLASS. With "icon" it carries a _NET_WM_ICON of three pictures: a plain
 * blue 16 x 16, the 32 x 32 target (red and white rings on yellow corners)
 * and a plain green 48 x 48, so a reader that takes any picture but the
 * 32 x 32 one is seen at once. With "desktop" it is of the window type of a
 * desktop background (_NET_WM_WINDOW_TYPE_DESKTOP). It sets no _NET_WM_PID:
 * the game must find the process through the X server itself. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { WIDTH = 160, HEIGHT = 120 };

/* The 32 x 32 picture's pixel at x, y as 0xRRGGBB: rings 4 pixels wide
 * around the centre, alternately red and white, yellow beyond the outer
 * ring, and a black bull's eye of radius 2. */
static unsigned long targetPixel(int x, int y)
{
    int dx = 2 * x - 31;
    int dy = 2 * y - 31;
    int d2 = dx * dx + dy * dy; /* four times the squared distance */
    if (d2 <= 4 * 2 * 2)
        return 0x000000;
    if (d2 > 4 * 16 * 16)
        return 0xFFFF00;
    int ring = 0;
    while (4 * (ring + 1) * 4 * (ring + 1) * 4 < d2)
        ++ring;
    return ring % 2 == 0 ? 0xFF0000 : 0xFFFFFF;
}

static int writeIconPpm(void)
{
    printf("P6\n32 32\n255\n");
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            unsigned long p = targetPixel(x, y);
            putchar((int)(p >> 16 & 0xFF));
            putchar((int)(p >> 8 & 0xFF));
            putchar((int)(p & 0xFF));
        }
    return fflush(stdout) == 0 ? 0 : 1;
}

/* Appends a plain picture of SIZE x SIZE in colour RGB (opaque) to cells. */
static long* appendPlain(long* cells, int size, unsigned long rgb)
{
    *cells++ = size;
    *cells++ = size;
    for (int i = 0; i < size * size; ++i)
        *cells++ = (long)(0xFF000000ul | rgb);
    return cells;
}

static void setIcon(Display* dpy, Window window)
{
    enum { CELLS = 2 + 16 * 16 + 2 + 32 * 32 + 2 + 48 * 48 };
    static long cells[CELLS];
    long* at = appendPlain(cells, 16, 0x0000FF);
    *at++ = 32;
    *at++ = 32;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            *at++ = (long)(0xFF000000ul | targetPixel(x, y));
    appendPlain(at, 48, 0x00FF00);
    /* Format 32 properties take longs in Xlib, whatever their width. */
    XChangeProperty(dpy, window, XInternAtom(dpy, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, (const unsigned char*)cells, CELLS);
}

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "--icon-ppm") == 0)
        return writeIconPpm();
    if (argc < 4) {
        fprintf(stderr, "usage: %s CLASS X Y [icon|desktop]\n", argv[0]);
        return 2;
    }
    const char* name = argv[1];
    int x = atoi(argv[2]);
    int y = atoi(argv[3]);
    int withIcon = argc > 4 && strcmp(argv[4], "icon") == 0;
    int desktop = argc > 4 && strcmp(argv[4], "desktop") == 0;

    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "%s: no X display\n", argv[0]);
        return 1;
    }
    int screen = DefaultScreen(dpy);
    /* A light blue face, so the window is easy to tell on a screenshot. */
    Window window = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), x, y, WIDTH, HEIGHT, 0,
                                        BlackPixel(dpy, screen), 0xA0C8F0);

    XSizeHints* size = XAllocSizeHints();
    size->flags = USPosition | USSize | PMinSize | PMaxSize;
    size->x = x;
    size->y = y;
    size->width = size->min_width = size->max_width = WIDTH;
    size->height = size->min_height = size->max_height = HEIGHT;
    XClassHint* hint = XAllocClassHint();
    hint->res_name = (char*)name;
    hint->res_class = (char*)name;
    XTextProperty title;
    char* titles[1] = {(char*)name};
    XStringListToTextProperty(titles, 1, &title);
    XSetWMProperties(dpy, window, &title, &title, argv, argc, size, NULL, hint);
    XFree(title.value);
    XFree(size);
    XFree(hint);

    Atom deleteWindow = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, window, &deleteWindow, 1);
    if (withIcon)
        setIcon(dpy, window);
    if (desktop) {
        Atom type = XInternAtom(dpy, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
        XChangeProperty(dpy, window, XInternAtom(dpy, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                        PropModeReplace, (unsigned char*)&type, 1);
    }
    XMapWindow(dpy, window);

    for (;;) {
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == deleteWindow)
            break;
    }
    XDestroyWindow(dpy, window);
    XCloseDisplay(dpy);
    return 0;
}
