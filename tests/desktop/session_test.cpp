// The choice of the desktop query from the session's environment strings.
#include <gtest/gtest.h>

#include <string>

#include "shell/gtk/windowat.h"

TEST(SessionChoice, FromTheEnvironmentStrings)
{
    struct Case {
        const char* type;
        const char* waylandDisplay;
        const char* desktop;
        const char* swaySocket;
        const char* hyprland;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, nullptr, "X11"},
        {"x11", nullptr, "XFCE", nullptr, nullptr, "X11"},
        {"tty", "", "", "", "", "X11"},
        // An X11 login keeps today's lookup even with a compositor's socket variable left over.
        {"x11", nullptr, nullptr, "/run/user/1000/sway-ipc.1000.9.sock", nullptr, "X11"},
        {"wayland", nullptr, "GNOME", nullptr, nullptr, "GNOME Shell"},
        {"x11", nullptr, "GNOME", nullptr, nullptr, "X11"},
        {nullptr, "wayland-0", "GNOME-Classic:GNOME", nullptr, nullptr, "GNOME Shell"},
        {nullptr, "wayland-1", "KDE", nullptr, nullptr, "KWin"},
        {"wayland", "wayland-0", "kde", nullptr, nullptr, "KWin"},
        {"x11", nullptr, "KDE", nullptr, nullptr, "X11"},
        // sway started from a Plasma session: its socket is the one to ask.
        {"wayland", "wayland-1", "KDE", "/run/user/1000/sway-ipc.1000.9.sock", nullptr, "sway"},
        {"wayland", "wayland-1", "sway", "/run/user/1000/sway-ipc.1000.9.sock", nullptr, "sway"},
        // A compositor started in an X11 login: its display and socket are the session's.
        {"x11", "wayland-1", nullptr, "/run/user/1000/sway-ipc.1000.9.sock", nullptr, "sway"},
        {"wayland", "wayland-1", "Hyprland", nullptr, "v0.41.2_1718_1", "Hyprland"},
        {"wayland", "wayland-1", "Hyprland", "/tmp/sway-ipc.sock", "v0.41.2_1718_1", "Hyprland"},
        {"wayland", "wayland-2", "sway", "/tmp/sway-ipc.sock", "v0.41.2_1718_1", "sway"},
        {"wayland", "wayland-2", "ubuntu:GNOME", nullptr, "", "GNOME Shell"},
        {"wayland", "wayland-2", "GNOMEish", nullptr, nullptr, "Xwayland"},
    };
    for (const Case& c : cases) {
        SessionEnv env;
        env.sessionType = c.type;
        env.waylandDisplay = c.waylandDisplay;
        env.currentDesktop = c.desktop;
        env.swaySocket = c.swaySocket;
        env.hyprlandSignature = c.hyprland;
        EXPECT_STREQ(desktopForSession(env).name, c.expected)
            << "XDG_SESSION_TYPE=" << (c.type ? c.type : "") << " WAYLAND_DISPLAY="
            << (c.waylandDisplay ? c.waylandDisplay : "") << " XDG_CURRENT_DESKTOP="
            << (c.desktop ? c.desktop : "") << " SWAYSOCK=" << (c.swaySocket ? c.swaySocket : "")
            << " HYPRLAND_INSTANCE_SIGNATURE=" << (c.hyprland ? c.hyprland : "");
    }
}
