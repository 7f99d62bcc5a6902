// "Whose window is at this point of the screen": the one question the White
// Arrow asks the desktop, answered by the X server or by the compositor of a
// Wayland session, chosen once from the session's environment.
#pragma once

#include <sys/types.h>

#include <string>

enum WindowAtKind {
    DesktopAt,       // the background or the compositor's own surfaces: nobody's program
    X11WindowAt,     // an X11 client window (also under Xwayland): xWindow
    NativeWindowAt,  // a native Wayland window: pid (0 when the compositor did not say), appId
    LookupFailed     // the compositor did not answer in time, or answered nonsense
};

struct WindowAt {
    WindowAtKind kind = LookupFailed;
    unsigned long xWindow = 0;  // X11WindowAt: the client window (the one with WM_STATE)
    pid_t pid = 0;              // NativeWindowAt (and what a compositor said of an X11 one)
    std::string appId;          // NativeWindowAt: the Wayland app id, the desktop entry's name
    std::string why;            // LookupFailed: what went wrong, for the game's standard error
};

// One way of answering the question. windowAt takes X root coordinates (the
// coordinates of the game's own pointer events); a compositor that knows its
// pointer better may ask for its own position instead. It must answer within
// about a second whatever the compositor does, and never throw.
struct DesktopQuery {
    const char* name;
    WindowAt (*windowAt)(int rootX, int rootY);
    // Readies the first answer at start-up (a connection made ahead), or null.
    void (*prepare)() = nullptr;
    // For a tool that has no press of its own to follow (tavrenne-appraise
    // --window): the window the compositor has under its pointer, given X's
    // pointer position for the X11 windows; null where only X's crosshair
    // can pick (an X11 session, a compositor the game cannot ask).
    WindowAt (*windowUnderPointer)(int rootX, int rootY) = nullptr;
};

// The queries there are. Another desktop's is a file of its own defining a
// DesktopQuery, declared here, with its line in desktopForSession.

// The X server's answer (the X11 session of today: over the bare desktop the
// root window itself, which has no program).
extern const DesktopQuery x11Desktop;
// The X server's answer inside a Wayland session, where Xwayland sees only
// X11 windows: where none is, the desktop (and not the compositor's own
// full-screen X11 windows beneath every other window).
extern const DesktopQuery xwaylandDesktop;
// sway and other i3-IPC compositors, over $SWAYSOCK.
extern const DesktopQuery swayDesktop;
// Hyprland, over its socket named by $HYPRLAND_INSTANCE_SIGNATURE.
extern const DesktopQuery hyprlandDesktop;
// GNOME Shell, through our extension's D-Bus method (gnome_windowat.cpp).
extern const DesktopQuery gnomeDesktop;
// KWin (KDE Plasma), through a KWin script of ours that answers over D-Bus.
extern const DesktopQuery kwinDesktop;

// The session's environment strings that choose the query (null or empty
// when unset).
struct SessionEnv {
    const char* sessionType = nullptr;        // XDG_SESSION_TYPE
    const char* waylandDisplay = nullptr;     // WAYLAND_DISPLAY
    const char* currentDesktop = nullptr;     // XDG_CURRENT_DESKTOP (a colon-separated list)
    const char* swaySocket = nullptr;         // SWAYSOCK
    const char* hyprlandSignature = nullptr;  // HYPRLAND_INSTANCE_SIGNATURE
};
SessionEnv sessionEnvOfProcess();
// The query for a session: X11 unless the session is a Wayland one; there
// the compositor's own when the game knows how to ask it, else Xwayland's.
const DesktopQuery& desktopForSession(const SessionEnv& env);
// The query of this process's session, chosen at the first call and kept.
const DesktopQuery& sessionDesktop();
