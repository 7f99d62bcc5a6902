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
DWORD messagesAwaitedSince = 0;

static const wchar_t className[] = L"TAVRENNE";

// Brings the running copy forward: restored if minimised, its last active
// pop-up (or itself) in front.
static void bringOtherCopyForward()
{
    HWND other = FindWindowW(className, nullptr);
    if (!other)
        return;
    if (IsIconic(other))
        ShowWindow(other, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(other));
}

static bool registerWindowClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = appInstance;
    wc.hIcon = LoadIconW(appInstance, MAKEINTRESOURCEW(APP_ICON_ID));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

// The main window, centred in the desktop's work area.
static HWND createMainWindow()
{
    const int width = windowLayout.width;
    const int height = windowLayout.height;
    RECT work = {0, 0, width, height};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = (work.left + work.right - width) / 2;
    int y = (work.top + work.bottom - height) / 2;
    return CreateWindowExW(0, className, L"Tavrenne",
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, x, y,
                           width, height, nullptr, nullptr, appInstance, nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    appInstance = instance;
    // Owned for the life of the process; never released.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, className);
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
    for (;;) {
        messagesAwaitedSince = GetTickCount();
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            break;
        if (got == -1)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The window and its controls are destroyed by now.
    DeleteObject(smallFont);
    DeleteObject(logFont);
    return static_cast<int>(msg.wParam);
}
