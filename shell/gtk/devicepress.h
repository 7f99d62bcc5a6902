// The pointer devices' own presses on the game's window in a Wayland session,
// for a press on the grab spot that Xwayland's master pointer lost.
#pragma once

#include <vector>

struct DevicePress {
    unsigned long time;  // the X server's time of the press
    double rootX;
    double rootY;
};

// The device presses whose master press did not come (none of the master's
// presses read with them has the same time), in their order.
std::vector<DevicePress> pressesMasterLost(const std::vector<DevicePress>& devicePresses,
                                           const std::vector<unsigned long>& masterPressTimes);

// Selects the devices' presses on the game's window (a GTK top-level,
// shown); a
// press the master lost goes to LOSTPRESS once GDK has handed over all the
// input read with it.
void watchDevicePresses(void* gtkWindow, void (*lostPress)(const DevicePress& press));
