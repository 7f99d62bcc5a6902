// The pointer devices' own presses and releases of the left button on the
// game's window in a Wayland session, for those Xwayland's master pointer
// lost.
#pragma once

#include <cstddef>
#include <vector>

struct DeviceButton {
    bool press;          // else a release
    unsigned long time;  // the X server's time of the event
    double rootX;
    double rootY;
};

// What the game's filter saw of one kind (presses, or releases): the
// devices' events that wait for a decision, the master's read meanwhile,
// and the device events already given as the master's (whose late master
// copy is then dropped).
struct ButtonLedger {
    std::vector<DeviceButton> waiting;
    std::vector<unsigned long> masterTimes;  // the last few
    std::vector<unsigned long> given;        // the last few
};
void noteDeviceButton(ButtonLedger& ledger, const DeviceButton& button);
// False when the master's event stands for a device event already given:
// the game must not see it twice.
bool noteMasterButton(ButtonLedger& ledger, unsigned long time);
// Of the first COUNT waiting device events (those read before a round trip
// to the server), those whose master copy did not come (none of the last
// master events read has the same time), in their order; all COUNT leave
// the ledger.
std::vector<DeviceButton> buttonsMasterLost(ButtonLedger& ledger, size_t count);

// Selects the devices' presses and releases on the game's window (a GTK
// top-level, shown); one the master lost goes to LOST once GDK has handed
// over all the input read with it.
void watchDeviceButtons(void* gtkWindow, void (*lost)(const DeviceButton& button));
// True from a device's event until the decision on it is made and what was
// given has been handed over by GDK.
bool deviceButtonsUndecided();
