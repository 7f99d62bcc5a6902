// GNOME Shell's answer to "whose window is at this point", through our
// extension (shell/gtk/gnome-shell/), and what the game is told when the
// extension is not active.
#pragma once

#include "shell/gtk/windowat.h"

// Our extension's uuids: the GNOME 45+ flavour first, then the 43-44 one.
// The shell loads only the one whose metadata lists its version.
extern const char* const gnomeExtensionUuids[2];

// Called (when set) once a shot in a GNOME session found neither our
// extension nor an X11 program window: the game tells the player what to do.
void setGnomeExtensionMissing(void (*missing)());
