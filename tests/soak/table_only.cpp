// shell/controls.cpp keeps the control table beside the keyboard map and the
// click route. The soak's programs link it for the table alone (the plan aims
// its clicks from it); what the map and the route would call, they never call.
#include <cstdlib>

#include "core/growth.h"
#include "core/journey.h"
#include "core/records.h"
#include "core/state.h"
#include "shell/platform.h"

GameState game;
HeroRecord hero;

LevelGains levelUp(HeroRecord&)
{
    std::abort();
}

void handleCommand(int)
{
    std::abort();
}

void resetGame()
{
    std::abort();
}

void platform::hideControl(Control)
{
    std::abort();
}

void platform::showControl(Control)
{
    std::abort();
}

bool platform::isControlEnabled(Control)
{
    std::abort();
}

void platform::focusMainWindow()
{
    std::abort();
}
