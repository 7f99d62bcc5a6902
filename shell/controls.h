// Showing and hiding the command controls, the keyboard map, and the routes
// of button clicks and key presses into the game.
#pragma once

#include <cstdint>

#include "shell/platform.h"

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// A panel's background: the Windows program takes the stock brush of that
// colour, or the system's default static colours; the native one paints the
// colour given here (the default one from windowLayout).
enum PanelBackground : int { DefaultBackground, WhiteBackground, LightGreyBackground };

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
    PanelBackground background;
};
const int controlCount = 9;
extern const ControlLayout controlTable[controlCount];
const ControlLayout* layoutOf(Control control);

// The main window's own appearance, read by both shells.
struct WindowLayout {
    int width;         // the window with its frame, on Windows
    int height;
    int clientWidth;   // its client area under the classic frame metrics: the
    int clientHeight;  // native window's fixed size
    Colour background;       // the window-frame colour (Windows asks the system)
    Colour defaultPanel;     // the default static colour (Windows asks the system)
    Colour whitePanel;
    Colour lightGreyPanel;
    Colour panelText;
    int cursorHotX;          // the hot spot of both cursors
    int cursorHotY;
};
extern const WindowLayout windowLayout;

// The two fonts, by Font: cell height in pixels and weight; both Shift_JIS.
struct FontLayout {
    int height;
    int weight;
};
extern const FontLayout fontTable[2];

// The three pens, by Pen: solid lines of this width and colour.
struct PenLayout {
    int width;
    Colour colour;
};
extern const PenLayout penTable[3];

Colour panelColour(PanelBackground background);

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
