// --window on Linux: the crosshair pick, or on a Wayland desktop the window
// under the compositor's pointer, and the program lookup of the native
// game's own desktop code.
#include <unistd.h>

#include "shell/gtk/desktop.h"
#include "shell/gtk/windowat.h"
#include "tools/appraise/console.h"

static std::string promptText;

static void showPrompt()
{
    writeConsoleError(promptText);
}

static PickOutcome outcomeOfWindow(unsigned long window, std::string* path)
{
    if (isGameWindow(window))
        return PickedTheGame;
    switch (programOfWindow(window, path)) {
    case ProgramFound: return PickedProgram;
    case NoProcess: return PickedNoProcess;
    default: return PickedUnreadable;
    }
}

// A compositor's pointer cannot be grabbed by an X11 client: the player
// points, the tool counts five seconds aloud, and then asks the compositor
// as the White Arrow asks it.
static PickOutcome pickUnderPointer(const DesktopQuery& desktop, std::string* path)
{
    writeConsoleError(promptText);
    for (int left = 5; left > 0; --left) {
        writeConsoleError(std::to_string(left) + (left > 1 ? " " : "\n"));
        sleep(1);
    }
    int rootX = 0;
    int rootY = 0;
    pointerOnRoot(&rootX, &rootY);
    WindowAt found = desktop.windowUnderPointer(rootX, rootY);
    switch (found.kind) {
    case X11WindowAt: return outcomeOfWindow(found.xWindow, path);
    case NativeWindowAt:
        switch (programOfProcess(found.pid, path)) {
        case ProgramFound: return PickedProgram;
        case NoProcess: return PickedNoProcess;
        default: return PickedUnreadable;
        }
    case DesktopAt: return PickedNoProcess;
    default: return PickNoAnswer;
    }
}

PickOutcome pickProgramWindow(const std::string& prompt, const std::string& pointPrompt,
                              std::string* path)
{
    if (!openToolDesktop())
        return PickNoDisplay;
    const DesktopQuery& desktop = sessionDesktop();
    if (desktop.windowUnderPointer) {
        promptText = pointPrompt;
        return pickUnderPointer(desktop, path);
    }
    promptText = prompt;
    unsigned long window = 0;
    switch (pickWindow(&window, showPrompt)) {
    case PickCancelled: return PickGivenUp;
    case PickRefused: return PickNotGrabbed;
    case WindowPicked: break;
    }
    return outcomeOfWindow(window, path);
}
