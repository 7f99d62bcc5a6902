// Showing and hiding the command controls, the keyboard map, and the routes
// of button clicks and key presses into the game.
#pragma once

#include <cstdint>

#include "shell/platform.h"

// The nine child controls in creation order, all created hidden.
struct ControlLayout {
    Control control;
    bool button;  // a push button; otherwise a plain static text panel
    const char* text;
    int x;
    int y;
    int width;
    int height;
    Font font;
};
const int controlCount = 9;
extern const ControlLayout controlTable[controlCount];

void showControls();
void hideControls();

// The keyboard map. Returns 0.
int handleKey(uintptr_t virtualKey, intptr_t keyData);
// The same, telling whether the key did anything (a command, F7 or F11).
bool dispatchKey(uintptr_t virtualKey, intptr_t keyData);
// A key-down sent to one of the buttons, which never reaches the button itself.
void buttonKeyDown(uintptr_t virtualKey, intptr_t keyData);
// A button click (WM_COMMAND).
void onCommand(uintptr_t wParam, intptr_t lParam);

// Virtual-key codes of the keyboard map.
enum VirtualKey : unsigned {
    KeyReturn = 0x0D,
    KeySpace = 0x20,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyDown = 0x28,
    KeyF7 = 0x76,
    KeyF11 = 0x7A,
};
