// The pointer devices' own presses and releases on the game's window, in a
// Wayland session: a press on the grab spot (or a release) that the master
// pointer lost still reaches the White Arrow's rules.
//
// Xwayland moves its master pointer (the one GTK listens to) from the
// pointer device that last sent an event. When the pointer jumps from
// another X window onto the game with no motion on the game before the
// press, the master's press goes to the root window at (0,0), while the
// device's own press reaches the game's window at the right place. The
// game selects the devices' buttons on its window and keeps them from GDK;
// once GDK has handed over every event the server sent before, a device
// event whose master copy never came is given to the loop as the master's.
#include <X11/extensions/XInput2.h>
#include <gdk/gdkx.h>

#include <vector>

#include "shell/gtk/devicebuttons.h"
#include "shell/gtk/xdesktop.h"

void noteDeviceButton(ButtonLedger& ledger, const DeviceButton& button)
{
    ledger.waiting.push_back(button);
}

static bool has(const std::vector<unsigned long>& times, unsigned long time)
{
    for (unsigned long t : times)
        if (t == time)
            return true;
    return false;
}

bool noteMasterButton(ButtonLedger& ledger, unsigned long time)
{
    if (has(ledger.given, time))
        return false;
    ledger.masterTimes.push_back(time);
    return true;
}

static void keepLast(std::vector<unsigned long>& times)
{
    if (times.size() > 8)
        times.erase(times.begin(), times.end() - 8);
}

std::vector<DeviceButton> buttonsMasterLost(ButtonLedger& ledger, size_t count)
{
    if (count > ledger.waiting.size())
        count = ledger.waiting.size();
    std::vector<DeviceButton> lost;
    for (size_t i = 0; i < count; ++i) {
        const DeviceButton& button = ledger.waiting[i];
        if (!has(ledger.masterTimes, button.time) && !has(ledger.given, button.time))
            lost.push_back(button);
    }
    ledger.waiting.erase(ledger.waiting.begin(), ledger.waiting.begin() + static_cast<long>(count));
    for (const DeviceButton& button : lost)
        ledger.given.push_back(button.time);
    keepLast(ledger.given);
    keepLast(ledger.masterTimes);
    return lost;
}

static int inputOpcode = -1;
static XWindowId gameWindow = 0;
static ButtonLedger presses;
static ButtonLedger releases;
static guint decision = 0;
static int stage = 0;
static size_t pressCount = 0;  // the events the round trip was made for
static size_t releaseCount = 0;
static void (*giveLost)(const DeviceButton& button) = nullptr;

// At a lower priority than GDK's events, in three turns: a round trip to
// the X server, whose reply comes after every event it sent before (the
// master's copy of a press was seen reaching the game in a later read than
// the device's); once GDK has handed over all those events, the decision;
// and once GDK has handed over what was given, the end.
static gboolean decide(gpointer)
{
    stage += 1;
    if (stage == 1) {
        pressCount = presses.waiting.size();
        releaseCount = releases.waiting.size();
        gdk_display_sync(gdk_display_get_default());
        return G_SOURCE_CONTINUE;
    }
    if (stage == 2) {
        std::vector<DeviceButton> lost = buttonsMasterLost(presses, pressCount);
        for (const DeviceButton& button : buttonsMasterLost(releases, releaseCount))
            lost.push_back(button);
        for (const DeviceButton& button : lost)
            giveLost(button);
        return G_SOURCE_CONTINUE;
    }
    decision = 0;
    stage = 0;
    if (!presses.waiting.empty() || !releases.waiting.empty())  // come after the round trip
        decision = g_idle_add_full(G_PRIORITY_LOW, decide, nullptr, nullptr);
    return G_SOURCE_REMOVE;
}

bool deviceButtonsUndecided()
{
    return decision != 0;
}

static GdkFilterReturn filterButtons(GdkXEvent* xevent, GdkEvent*, gpointer)
{
    XGenericEventCookie* cookie = &static_cast<XEvent*>(xevent)->xcookie;
    if (cookie->type != GenericEvent || cookie->extension != inputOpcode || !cookie->data)
        return GDK_FILTER_CONTINUE;  // (GDK fetches an event's data before its filters run)
    if (cookie->evtype != XI_ButtonPress && cookie->evtype != XI_ButtonRelease)
        return GDK_FILTER_CONTINUE;
    const XIDeviceEvent* event = static_cast<const XIDeviceEvent*>(cookie->data);
    if (event->event != gameWindow)
        return GDK_FILTER_CONTINUE;
    bool press = cookie->evtype == XI_ButtonPress;
    ButtonLedger& ledger = press ? presses : releases;
    if (event->deviceid != event->sourceid) {  // the master's, GDK's as ever
        if (event->detail == 1 && !noteMasterButton(ledger, event->time))
            return GDK_FILTER_REMOVE;  // the game had it already
        return GDK_FILTER_CONTINUE;
    }
    if (event->detail == 1 && !(event->flags & XIPointerEmulated)) {
        noteDeviceButton(ledger, DeviceButton{press, event->time, event->root_x, event->root_y});
        if (!decision)
            decision = g_idle_add_full(G_PRIORITY_LOW, decide, nullptr, nullptr);
    }
    return GDK_FILTER_REMOVE;  // a device's own event is not GDK's
}

void watchDeviceButtons(void* gtkWindow, void (*lost)(const DeviceButton& button))
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
    giveLost = lost;
    gdk_window_add_filter(nullptr, filterButtons, nullptr);
}
