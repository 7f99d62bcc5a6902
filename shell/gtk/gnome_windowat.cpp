// GNOME Shell's answer to "whose window is at this point": the D-Bus method
// of our extension, asked on the session bus at org.gnome.Shell, with a
// bounded wait and no main loop run meanwhile (no input is handled while the
// game waits).
#include "shell/gtk/gnome_windowat.h"

#include <gio/gio.h>

#include <cstring>
#include <string>
#include <utility>

#include "shell/gtk/compositors.h"

const char* const gnomeExtensionUuids[2] = {"white-arrow@tavrenne", "white-arrow-43@tavrenne"};

static void (*extensionMissing)() = nullptr;

void setGnomeExtensionMissing(void (*missing)())
{
    extensionMissing = missing;
}

static WindowAt failed(std::string why)
{
    WindowAt none;
    none.why = std::move(why);
    return none;
}

// The reply of our extension's method: kind "wayland", "x11" or "none";
// anything else is a lookup that failed.
static WindowAt answerOf(const char* kind, unsigned pid, const char* appId)
{
    WindowAt found;
    if (std::strcmp(kind, "none") == 0) {
        found.kind = DesktopAt;
    } else if (std::strcmp(kind, "wayland") == 0 || std::strcmp(kind, "x11") == 0) {
        found.kind = kind[0] == 'w' ? NativeWindowAt : X11WindowAt;
        // A process id beyond pid_t's range names no process.
        found.pid = pid <= 0x7fffffffu ? static_cast<pid_t>(pid) : 0;
        found.appId = appId;
    } else {
        found = failed(std::string("GNOME Shell's extension answered an unknown kind \"") + kind + "\"");
    }
    return found;
}

// Whether the error says that nobody at org.gnome.Shell answers our method:
// the extension is not enabled (or the shell has not loaded it yet).
static bool extensionAbsent(const GError* error)
{
    return g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD) ||
           g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_OBJECT) ||
           g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_INTERFACE) ||
           g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_SERVICE_UNKNOWN) ||
           g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER);
}

// Asks the extension; an X11 window it names (the game's own, or an X11
// program's) is the X server's window at the point, so that the game's own
// windows and _NET_WM_ICON are found as on X11. Without the extension only
// X11 windows can be told; over anything else the player learns why.
static WindowAt gnomeWindowAt(int rootX, int rootY)
{
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    GVariant* reply = nullptr;
    if (bus) {
        reply = g_dbus_connection_call_sync(bus, "org.gnome.Shell", "/org/tavrenne/WhiteArrow",
                                            "org.tavrenne.WhiteArrow", "WindowAtPointer", nullptr,
                                            G_VARIANT_TYPE("(susii)"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
                                            compositorTimeoutMs, nullptr, &error);
        g_object_unref(bus);
    }
    if (!reply) {
        bool absent = bus && extensionAbsent(error);
        WindowAt found = failed(std::string("GNOME Shell did not answer: ") + error->message);
        g_error_free(error);
        if (!absent)
            return found;
        WindowAt inX = xwaylandDesktop.windowAt(rootX, rootY);
        if (inX.kind == X11WindowAt)
            return inX;
        if (extensionMissing)
            extensionMissing();
        return failed("our GNOME Shell extension is not active");
    }
    const char* kind = nullptr;
    const char* appId = nullptr;
    guint32 pid = 0;
    gint32 x = 0;
    gint32 y = 0;
    g_variant_get(reply, "(&su&sii)", &kind, &pid, &appId, &x, &y);
    WindowAt found = answerOf(kind, pid, appId);
    g_variant_unref(reply);
    if (found.kind != X11WindowAt)
        return found;
    WindowAt inX = xwaylandDesktop.windowAt(rootX, rootY);
    if (inX.kind == X11WindowAt)
        return inX;
    // X shows no window there (the shell's layout and X's root differ, as
    // under Xwayland scaling): the process the shell named still answers.
    found.kind = NativeWindowAt;
    return found;
}

const DesktopQuery gnomeDesktop = {"GNOME Shell", gnomeWindowAt, nullptr, gnomeWindowAt};
