// The pointer devices' own presses on the game's window, in a Wayland
// session: a press on the grab spot that the master pointer lost still
// starts the White Arrow's drag.
//
// Xwayland moves its master pointer (the one GTK listens to) from the
// pointer device that last sent an event. When the pointer jumps from
// another X window onto the game with no motion on the game before the
// press, the master's press goes to the root window at (0,0), while the
// device's own press reaches the game's window at the right place. The
// game selects the devices' presses on its window and keeps them from GDK;
// once GDK has handed over all the input read so far (the master's copy of
// the same press comes in the same reply of the server), a device press
// whose master press never came is given to the loop as the master's.
#include <X11/extensions/XInput2.h>
#include <gdk/gdkx.h>

#include <vector>

#include "shell/gtk/devicepress.h"
#include "shell/gtk/xdesktop.h"

std::vector<DevicePress> pressesMasterLost(const std::vector<DevicePress>& devicePresses,
                                           const std::vector<unsigned long>& masterPressTimes)
{
    std::vector<DevicePress> lost;
    for (const DevicePress& press : devicePresses) {
        bool seen = false;
        for (unsigned long time : masterPressTimes)
            seen = seen || time == press.time;
        if (!seen)
            lost.push_back(press);
    }
    return lost;
}

static int inputOpcode = -1;
static XWindowId gameWindow = 0;
static std::vector<DevicePress> devicePresses;      // since the last decision
static std::vector<unsigned long> masterPressTimes;  // the same
static guint decision = 0;
static void (*giveLostPress)(const DevicePress& press) = nullptr;

// A lower priority than GDK's events: every event read with the device's
// press has been through the filter by now.
static gboolean decide(gpointer)
{
    decision = 0;
    for (const DevicePress& press : pressesMasterLost(devicePresses, masterPressTimes))
        giveLostPress(press);
    devicePresses.clear();
    masterPressTimes.clear();
    return G_SOURCE_REMOVE;
}

static GdkFilterReturn filterPresses(GdkXEvent* xevent, GdkEvent*, gpointer)
{
    XGenericEventCookie* cookie = &static_cast<XEvent*>(xevent)->xcookie;
    if (cookie->type != GenericEvent || cookie->extension != inputOpcode || !cookie->data)
        return GDK_FILTER_CONTINUE;  // (GDK fetches an event's data before its filters run)
    if (cookie->evtype != XI_ButtonPress && cookie->evtype != XI_ButtonRelease)
        return GDK_FILTER_CONTINUE;
    const XIDeviceEvent* event = static_cast<const XIDeviceEvent*>(cookie->data);
    if (event->event != gameWindow || event->detail != 1)
        return GDK_FILTER_CONTINUE;
    bool fromMaster = event->deviceid != event->sourceid;
    if (fromMaster) {
        if (cookie->evtype == XI_ButtonPress)
            masterPressTimes.push_back(event->time);
        return GDK_FILTER_CONTINUE;  // GDK's, as ever
    }
    if (cookie->evtype == XI_ButtonPress && !(event->flags & XIPointerEmulated)) {
        devicePresses.push_back(DevicePress{event->time, event->root_x, event->root_y});
        if (!decision)
            decision = g_idle_add_full(G_PRIORITY_LOW, decide, nullptr, nullptr);
    }
    return GDK_FILTER_REMOVE;  // a device's own event is not GDK's
}

void watchDevicePresses(void* gtkWindow, void (*lostPress)(const DevicePress& press))
{
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display) || !gtkWindow || gameWindow)
        return;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    int event = 0;
    int error = 0;
    if (!XQueryExtension(x, "XInputExtension", &inputOpcode, &event, &error))
        return;
    gameWindow = windowOfWidget(gtkWindow);
    if (!gameWindow)
        return;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_ButtonPress);
    XISetMask(bits, XI_ButtonRelease);
    XIEventMask mask = {XIAllDevices, static_cast<int>(sizeof bits), bits};
    gdk_x11_display_error_trap_push(display);
    XISelectEvents(x, gameWindow, &mask, 1);
    if (gdk_x11_display_error_trap_pop(display) != 0) {
        gameWindow = 0;
        return;
    }
    giveLostPress = lostPress;
    gdk_window_add_filter(nullptr, filterPresses, nullptr);
}
