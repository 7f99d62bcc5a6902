// --window on Linux: the crosshair pick and the program lookup of the
// native game's own desktop code.
#include "shell/gtk/desktop.h"
#include "tools/appraise/console.h"

static std::string promptText;

static void showPrompt()
{
    writeConsoleError(promptText);
}

PickOutcome pickProgramWindow(const std::string& prompt, std::string* path)
{
    if (!openToolDesktop())
        return PickNoDisplay;
    promptText = prompt;
    unsigned long window = 0;
    switch (pickWindow(&window, showPrompt)) {
    case PickCancelled: return PickGivenUp;
    case PickRefused: return PickNotGrabbed;
    case WindowPicked: break;
    }
    if (isGameWindow(window))
        return PickedTheGame;
    switch (programOfWindow(window, path)) {
    case ProgramFound: return PickedProgram;
    case NoProcess: return PickedNoProcess;
    default: return PickedUnreadable;
    }
}
