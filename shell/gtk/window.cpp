// The main window: a fixed, non-resizable top-level whose client area is a
// GtkLayout of the Windows program's client size, the back buffer painted
// beneath the nine controls; and the routes of keys, mouse and the close
// button into the portable game.
#include <gdk/gdkkeysyms.h>

#include <cmath>
#include <string>

#include "capture/arrow.h"
#include "shell/controls.h"
#include "shell/gtk/devicebuttons.h"
#include "shell/gtk/native.h"
#include "shell/gtk/windowat.h"
#include "shell/scene.h"
#include "shell/sound.h"

GtkWidget* mainWindow = nullptr;
GtkWidget* clientArea = nullptr;

// The key's virtual-key code, as the keyboard map knows keys; 0 for a key
// that has none.
static uintptr_t virtualKeyOf(guint keyval)
{
    switch (keyval) {
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return KeyUp;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return KeyDown;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return KeyLeft;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return KeyRight;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_ISO_Enter: return KeyReturn;
    case GDK_KEY_space: case GDK_KEY_KP_Space: return KeySpace;
    case GDK_KEY_Escape: return 0x1B;
    case GDK_KEY_Tab: return 0x09;
    case GDK_KEY_BackSpace: return 0x08;
    default: break;
    }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return 0x70 + (keyval - GDK_KEY_F1);  // F7 0x76, F11 0x7A
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z)
        return 'A' + (keyval - GDK_KEY_a);
    if ((keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) || (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9))
        return keyval;
    return 0;
}

// Every key goes to the keyboard map, whatever has the focus.
static gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer)
{
    handleKey(virtualKeyOf(event->keyval), keyRepeatCount());
    return TRUE;
}

// Client coordinates of a pointer event, also while the pointer is
// captured and outside the window.
static void clientPoint(const GdkEvent* event, int* x, int* y)
{
    double rootX = 0;
    double rootY = 0;
    gdk_event_get_root_coords(event, &rootX, &rootY);
    int originX = 0;
    int originY = 0;
    GdkWindow* bin = gtk_layout_get_bin_window(GTK_LAYOUT(clientArea));
    if (bin)
        gdk_window_get_origin(bin, &originX, &originY);
    *x = static_cast<int>(std::floor(rootX)) - originX;
    *y = static_cast<int>(std::floor(rootY)) - originY;
}

static gboolean onButtonPress(GtkWidget*, GdkEventButton* event, gpointer)
{
    if (event->type != GDK_BUTTON_PRESS || event->button != 1)
        return FALSE;
    int x = 0;
    int y = 0;
    clientPoint(reinterpret_cast<GdkEvent*>(event), &x, &y);
    onLeftButtonDown(x, y);
    return TRUE;
}

// The window's own cursor first, as the class cursor comes back on every
// move on Windows; the White Arrow's rules then choose theirs.
static gboolean onMotion(GtkWidget*, GdkEventMotion* event, gpointer)
{
    int x = 0;
    int y = 0;
    clientPoint(reinterpret_cast<GdkEvent*>(event), &x, &y);
    beginCursorChoice();
    onMouseMove(x, y);
    endCursorChoice();
    return TRUE;
}

static gboolean onButtonRelease(GtkWidget*, GdkEventButton* event, gpointer)
{
    if (event->button != 1)
        return FALSE;
    int x = 0;
    int y = 0;
    clientPoint(reinterpret_cast<GdkEvent*>(event), &x, &y);
    onLeftButtonUp(x, y);
    return TRUE;
}

// A press on the grab spot, or a release, that Xwayland's master pointer
// lost: as the master's own through GDK's queue, and so through the loop's
// (it waits there while the game is busy, as any press). Elsewhere the game
// does nothing with a press GTK did not see.
static void giveLostButton(const DeviceButton& button)
{
    GdkWindow* bin = clientArea ? gtk_layout_get_bin_window(GTK_LAYOUT(clientArea)) : nullptr;
    if (!bin)
        return;
    int originX = 0;
    int originY = 0;
    gdk_window_get_origin(bin, &originX, &originY);
    double x = button.rootX - originX;
    double y = button.rootY - originY;
    if (button.press && !isOnGrabSpot(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))))
        return;
    GdkEvent* event = gdk_event_new(button.press ? GDK_BUTTON_PRESS : GDK_BUTTON_RELEASE);
    event->button.window = GDK_WINDOW(g_object_ref(bin));
    event->button.time = static_cast<guint32>(button.time);
    event->button.x = x;
    event->button.y = y;
    event->button.x_root = button.rootX;
    event->button.y_root = button.rootY;
    event->button.button = 1;
    if (!button.press)
        event->button.state = GDK_BUTTON1_MASK;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    gdk_event_set_device(event, gdk_seat_get_pointer(seat));
    gdk_event_put(event);
    gdk_event_free(event);
}

static gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer)
{
    drawBackBuffer(cr);
    return FALSE;  // the controls are drawn on top
}

static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer)
{
    closeMainWindow();
    return TRUE;
}

// Minimise and close, no maximise and no resizing.
static void onRealize(GtkWidget* window, gpointer)
{
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    gdk_window_set_functions(gdkWindow, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_MINIMIZE |
                                                                   GDK_FUNC_CLOSE));
    gdk_window_set_decorations(gdkWindow, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE |
                                                                       GDK_DECOR_MENU | GDK_DECOR_MINIMIZE));
}

static std::string rgb(const Colour& colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

static std::string fontCss(Font font)
{
    return "font-family: IPAGothic, sans-serif; font-size: " +
           std::to_string(fontTable[font].height) + "px; font-weight: " +
           std::to_string(fontTable[font].weight) + ";";
}

// The window's colours and the controls' fonts and colours, from the layout
// table.
static void applyStyle()
{
    std::string css = "window.tavrenne, layout { background-color: " + rgb(windowLayout.background) +
                      "; }\n"
                      "button { min-height: 0; min-width: 0; padding: 0 2px; }\n";
    for (const ControlLayout& row : controlTable) {
        std::string name = (row.button ? "#control-" : "#panel-") + std::to_string(row.control);
        if (row.button) {
            css += name + ", " + name + " label { " + fontCss(row.font) + " }\n";
        } else {
            css += name + " { " + fontCss(row.font) + " color: " + rgb(windowLayout.panelText) +
                   "; background-color: " + rgb(panelColour(row.background)) +
                   "; padding: 0; margin: 0; }\n";
        }
    }
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

// Centred in the work area, as the Windows program centres its 245 x 360
// window.
static void placeWindow()
{
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor)
        return;
    GdkRectangle work;
    gdk_monitor_get_workarea(monitor, &work);
    int x = (work.x + work.x + work.width - windowLayout.width) / 2;
    int y = (work.y + work.y + work.height - windowLayout.height) / 2;
    gtk_window_move(GTK_WINDOW(mainWindow), x, y);
}

bool createMainWindow()
{
    applyStyle();
    mainWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_style_context_add_class(gtk_widget_get_style_context(mainWindow), "tavrenne");
    gtk_window_set_title(GTK_WINDOW(mainWindow), "Tavrenne");
    gtk_window_set_resizable(GTK_WINDOW(mainWindow), FALSE);
    if (GdkPixbuf* icon = appIconPixbuf())
        gtk_window_set_icon(GTK_WINDOW(mainWindow), icon);
    g_signal_connect(mainWindow, "realize", G_CALLBACK(onRealize), nullptr);
    g_signal_connect(mainWindow, "delete-event", G_CALLBACK(onDelete), nullptr);
    g_signal_connect(mainWindow, "key-press-event", G_CALLBACK(onKeyPress), nullptr);

    clientArea = gtk_layout_new(nullptr, nullptr);
    gtk_widget_set_size_request(clientArea, windowLayout.clientWidth, windowLayout.clientHeight);
    gtk_widget_set_can_focus(clientArea, TRUE);
    gtk_widget_add_events(clientArea, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                          GDK_POINTER_MOTION_MASK);
    g_signal_connect(clientArea, "draw", G_CALLBACK(onDraw), nullptr);
    g_signal_connect(clientArea, "button-press-event", G_CALLBACK(onButtonPress), nullptr);
    g_signal_connect(clientArea, "motion-notify-event", G_CALLBACK(onMotion), nullptr);
    g_signal_connect(clientArea, "button-release-event", G_CALLBACK(onButtonRelease), nullptr);
    gtk_container_add(GTK_CONTAINER(mainWindow), clientArea);

    setClientSize(windowLayout.clientWidth, windowLayout.clientHeight);
    createBackBuffer(windowLayout.clientWidth, windowLayout.clientHeight);
    createControls(clientArea);
    createDrawingResources();
    placeWindow();
    return true;
}

void showMainWindow()
{
    gtk_widget_show(clientArea);
    gtk_widget_show(mainWindow);
    if (&sessionDesktop() != &x11Desktop)
        watchDeviceButtons(mainWindow, giveLostButton);  // Xwayland's master pointer may lose one
    platform::focusMainWindow();
    platform::invalidate(nullptr);  // the first paint
}

void closeMainWindow()
{
    stopMusic();
    releaseSoundEffects();  // stops the playing effect before its buffer goes
    releaseDrawingResources();
    platform::destroyCapturedIcons();
    quitMessageLoop();
}
