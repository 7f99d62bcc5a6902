// The compositors' own answers, before any X11 lookup: what the sway and
// Hyprland queries ask and how they read the replies (tested on their own).
// X11WindowAt from these stands for an Xwayland window: xWindow when the
// compositor named it, else 0, and the X server is asked at the point.
#pragma once

#include <string>

#include "shell/gtk/json.h"
#include "shell/gtk/windowat.h"

// The bound on one question to a compositor, connecting to the whole reply.
const int compositorTimeoutMs = 1000;

// sway's GET_TREE reply: the window on top at layout point (x, y).
WindowAt swayWindowInTree(const Json& tree, int x, int y);
// Asks the i3-IPC socket at socketPath for its tree and reads it.
WindowAt swayAnswer(const std::string& socketPath, int x, int y, int timeoutMs);
// The view that has the keyboard focus (sway gives it to the window the
// pointer enters), for a tool that cannot see the pointer over native windows.
WindowAt swayFocusedInTree(const Json& tree);
WindowAt swayFocusedAnswer(const std::string& socketPath, int timeoutMs);

// Hyprland's j/clients and j/monitors replies: the window on top at (x, y).
WindowAt hyprlandWindowIn(const Json& clients, const Json& monitors, int x, int y);
// The socket of a Hyprland instance: under the runtime folder (0.40 on),
// else under /tmp (before); empty when neither exists.
std::string hyprlandSocketPath(const char* runtimeDir, const char* signature);
// Asks the socket at socketPath for the pointer's position, the monitors and
// the clients, and reads them.
WindowAt hyprlandAnswer(const std::string& socketPath, int timeoutMs);

// What KWin's script says of the window under KWin's pointer (the line after
// the question's number): "desktop", "x11\tPID\tXID" or "wayland\tPID\tAPPID".
WindowAt kwinScriptAnswer(const std::string& answer);
// Has KWin load and run our script on the session bus and waits for its
// answer, timeoutMs at most (kwin_windowat.cpp).
WindowAt kwinAnswer(int timeoutMs);
// Connects to the session bus ahead of the first question.
void kwinPrepare();
