// The program's entry point: one copy only, the working folder, sounds,
// random seed, the window class and the centred main window, the message loop.
#include "shell/win32/win32.h"

#include "core/random.h"
#include "shell/controls.h"
#include "shell/resource_ids.h"
#include "shell/sound.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
HICON appIcon = nullptr;
HCURSOR hoverCursor = nullptr;
HCURSOR aimCursor = nullptr;
HFONT smallFont = nullptr;
HFONT logFont = nullptr;

static const char className[] = "TAVRENNE";

// Brings the running copy forward: restored if minimised, its last active
// pop-up (or itself) in front.
static void bringOtherCopyForward()
{
    HWND other = FindWindowA(className, nullptr);
    if (!other)
        return;
    if (IsIconic(other))
        ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(other));
}

static bool registerWindowClass()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = appInstance;
    wc.hIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(APP_ICON_ID));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

// The main window, centred in the desktop's work area.
static HWND createMainWindow()
{
    const int width = windowLayout.width;
    const int height = windowLayout.height;
    RECT work = {0, 0, width, height};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = (work.left + work.right - width) / 2;
    int y = (work.top + work.bottom - height) / 2;
    return CreateWindowExA(0, className, "Tavrenne",
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, x, y,
                           width, height, nullptr, nullptr, appInstance, nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    appInstance = instance;
    // Owned for the life of the process; never released.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, className);
    if (!mutex)
        return 1;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        bringOtherCopyForward();
        return 1;
    }
    enterOwnFolder();
    loadSoundEffects();
    seedRandom(GetTickCount());
    registerWindowClass();
    if (!createMainWindow()) {
        releaseSoundEffects();
        return 1;
    }
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);

    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The window and its controls are destroyed by now.
    DeleteObject(smallFont);
    DeleteObject(logFont);
    return static_cast<int>(msg.wParam);
}
