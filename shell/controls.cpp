// The command controls: their table, showing and hiding them, the keyboard
// map, and the route of a button click.
#include "shell/controls.h"

#include "core/growth.h"
#include "core/journey.h"
#include "core/records.h"
#include "core/state.h"

// A button's command number is its control identifier: handleKey and the
// Win32 click route cast one to the other.
static_assert(static_cast<int>(AdvanceButton) == Advance, "Advance button and command");
static_assert(static_cast<int>(RestButton) == Rest, "Rest button and command");
static_assert(static_cast<int>(TrumpCardButton) == TrumpCard, "TrumpCard button and command");
static_assert(static_cast<int>(BackButton) == Back, "Back button and command");
static_assert(static_cast<int>(HealButton) == Heal, "Heal button and command");
static_assert(static_cast<int>(MarkTimeButton) == MarkTime, "MarkTime button and command");

const ControlLayout controlTable[controlCount] = {
    // control          button  text          x    y    w    h   font       background
    {StatusPanel,       false, "",          130,  50, 128,  78, SmallFont, WhiteBackground},
    {ResultPanel,       false, "",           55,  70, 128, 140, SmallFont, DefaultBackground},
    {MessageLog,        false, "",            0, 130, 256,  80, LogFont,   LightGreyBackground},
    {AdvanceButton,     true,  "すすむ",      10, 220, 100,  24, SmallFont, DefaultBackground},
    {BackButton,        true,  "もどる",      10, 250, 100,  24, SmallFont, DefaultBackground},
    {MarkTimeButton,    true,  "あしぶみ",    10, 280, 100,  24, SmallFont, DefaultBackground},
    {RestButton,        true,  "やすむ",     120, 280, 100,  24, SmallFont, DefaultBackground},
    {HealButton,        true,  "回復(M5",    120, 220, 100,  24, SmallFont, DefaultBackground},
    {TrumpCardButton,   true,  "切り札",     120, 250, 100,  24, SmallFont, DefaultBackground},
};

const WindowLayout windowLayout = {
    245, 360,         // window
    237, 333,         // client area
    {100, 100, 100},  // background: the window-frame colour of Windows' default scheme
    {240, 240, 240},  // the default static colour of Windows' default scheme
    {255, 255, 255},  // white panel
    {192, 192, 192},  // light grey panel
    {0, 0, 0},        // panel text
    16, 14,           // cursor hot spot
};

const FontLayout fontTable[2] = {
    {13, 400},  // SmallFont
    {15, 600},  // LogFont
};

const PenLayout penTable[3] = {
    {3, {255, 0, 0}},    // RedPen
    {3, {255, 255, 0}},  // YellowPen
    {5, {0, 0, 0}},      // BlackPen
};

const ControlLayout* layoutOf(Control control)
{
    for (const ControlLayout& layout : controlTable)
        if (layout.control == control)
            return &layout;
    return nullptr;
}

Colour panelColour(PanelBackground background)
{
    switch (background) {
    case WhiteBackground: return windowLayout.whitePanel;
    case LightGreyBackground: return windowLayout.lightGreyPanel;
    default: return windowLayout.defaultPanel;
    }
}

void hideControls()
{
    static const Control order[] = {AdvanceButton, BackButton, RestButton, HealButton,
                                    TrumpCardButton, MarkTimeButton, StatusPanel, MessageLog};
    for (Control c : order)
        platform::hideControl(c);
}

void showControls()
{
    static const Control order[] = {AdvanceButton, BackButton, RestButton, HealButton,
                                    MarkTimeButton, StatusPanel, MessageLog};
    for (Control c : order)
        platform::showControl(c);
}

// The key's command button, or 0 for a key that is not a command key.
static int commandOfKey(uintptr_t key)
{
    switch (key) {
    case KeyUp: return Advance;
    case KeyDown: return Back;
    case KeyLeft: return MarkTime;
    case KeyRight: return Heal;
    case KeyReturn: return Rest;
    case KeySpace: return TrumpCard;
    default: return 0;
    }
}

bool dispatchKey(uintptr_t key, intptr_t keyData)
{
    if (game.ending && key != KeyF11)
        return false;
    platform::focusMainWindow();
    if (!game.heroReady)
        return false;
    if ((keyData & 0xffff) >= 2)
        return false;
    if (key == KeyF7) {
        levelUp(hero);
        return true;
    }
    if (key == KeyF11) {
        resetGame();
        return true;
    }
    int command = commandOfKey(key);
    if (command == 0 || !platform::isControlEnabled(static_cast<Control>(command)))
        return false;
    handleCommand(command);
    return true;
}

int handleKey(uintptr_t key, intptr_t keyData)
{
    dispatchKey(key, keyData);
    return 0;
}

void buttonKeyDown(uintptr_t key, intptr_t keyData)
{
    if ((keyData & 0xffff) >= 2)
        return;
    handleKey(key, keyData);
}

void onCommand(uintptr_t wParam, intptr_t lParam)
{
    if (game.timeUp) {
        resetGame();
        return;
    }
    handleCommand(static_cast<int>(wParam & 0xffff));
    handleKey(wParam, lParam);
}
