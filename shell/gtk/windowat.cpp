// The session's choice of query, and the compositors' queries as the game
// uses them: an Xwayland window that the compositor finds is looked up in
// the X server, so that its icon and the game's own windows are found as on X11.
#include "shell/gtk/windowat.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/gtk/compositors.h"
#include "shell/gtk/xdesktop.h"

// An Xwayland window the compositor found: the X window it named, else the
// managed X window at the point; when X shows none there, the process the
// compositor named still answers for it.
static WindowAt resolvedInX(WindowAt found, int rootX, int rootY)
{
    if (found.kind != X11WindowAt || found.xWindow)
        return found;
    found.xWindow = managedWindowAt(rootX, rootY);
    if (!found.xWindow)
        found.kind = NativeWindowAt;
    return found;
}

static WindowAt swayWindowAt(int rootX, int rootY)
{
    const char* socketPath = std::getenv("SWAYSOCK");
    return resolvedInX(swayAnswer(socketPath ? socketPath : "", rootX, rootY, compositorTimeoutMs),
                       rootX, rootY);
}

static WindowAt hyprlandWindowAt(int rootX, int rootY)
{
    std::string socketPath = hyprlandSocketPath(std::getenv("XDG_RUNTIME_DIR"),
                                                std::getenv("HYPRLAND_INSTANCE_SIGNATURE"));
    if (socketPath.empty()) {
        WindowAt none;
        none.why = "Hyprland's socket is not there";
        return none;
    }
    return resolvedInX(hyprlandAnswer(socketPath, compositorTimeoutMs), rootX, rootY);
}

static WindowAt kwinWindowAt(int rootX, int rootY)
{
    return resolvedInX(kwinAnswer(compositorTimeoutMs), rootX, rootY);
}

// sway's IPC does not tell where its pointer is, and X's position is stale
// over native windows; sway gives the focus to the window the pointer
// enters, so the focused window is the one under the pointer.
static WindowAt swayFocusedWindow(int rootX, int rootY)
{
    const char* socketPath = std::getenv("SWAYSOCK");
    return resolvedInX(swayFocusedAnswer(socketPath ? socketPath : "", compositorTimeoutMs), rootX,
                       rootY);
}

const DesktopQuery swayDesktop = {"sway", swayWindowAt, nullptr, swayFocusedWindow};
// Hyprland, KWin and GNOME Shell answer for their own pointer anyway.
const DesktopQuery hyprlandDesktop = {"Hyprland", hyprlandWindowAt, nullptr, hyprlandWindowAt};
const DesktopQuery kwinDesktop = {"KWin", kwinWindowAt, kwinPrepare, kwinWindowAt};

static bool given(const char* value)
{
    return value && *value;
}

// Whether the colon-separated list names desktop, in any letter case.
static bool listNames(const char* list, const char* desktop)
{
    size_t length = std::strlen(desktop);
    for (const char* at = list; given(at);) {
        const char* end = std::strchr(at, ':');
        size_t size = end ? static_cast<size_t>(end - at) : std::strlen(at);
        if (size == length && strncasecmp(at, desktop, length) == 0)
            return true;
        at = end ? end + 1 : nullptr;
    }
    return false;
}

SessionEnv sessionEnvOfProcess()
{
    SessionEnv env;
    env.sessionType = std::getenv("XDG_SESSION_TYPE");
    env.waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    env.currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    env.swaySocket = std::getenv("SWAYSOCK");
    env.hyprlandSignature = std::getenv("HYPRLAND_INSTANCE_SIGNATURE");
    return env;
}

// A Wayland display wins over XDG_SESSION_TYPE=x11: a compositor started
// inside an X11 login sets it for its own programs only. A socket variable
// inherited from an outer compositor may sit beside the inner one's, so the
// desktop the session names decides between them.
const DesktopQuery& desktopForSession(const SessionEnv& env)
{
    bool wayland = (given(env.sessionType) && std::strcmp(env.sessionType, "wayland") == 0) ||
                   given(env.waylandDisplay);
    if (!wayland)
        return x11Desktop;
    bool sway = given(env.swaySocket);
    bool hyprland = given(env.hyprlandSignature);
    if (sway && hyprland) {
        if (listNames(env.currentDesktop, "Hyprland"))
            return hyprlandDesktop;
        return swayDesktop;
    }
    if (sway)
        return swayDesktop;
    if (hyprland)
        return hyprlandDesktop;
    if (listNames(env.currentDesktop, "GNOME"))
        return gnomeDesktop;
    if (listNames(env.currentDesktop, "KDE"))
        return kwinDesktop;
    return xwaylandDesktop;
}

const DesktopQuery& sessionDesktop()
{
    static const DesktopQuery& chosen = desktopForSession(sessionEnvOfProcess());
    return chosen;
}
