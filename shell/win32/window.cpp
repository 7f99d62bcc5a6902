// The main window's procedure: one short translation per message, each
// handing the message to the portable game.
#include "shell/win32/win32.h"

#include <mmsystem.h>

#include "capture/arrow.h"
#include "core/records.h"
#include "shell/resource_ids.h"
#include "shell/controls.h"
#include "shell/scene.h"
#include "shell/sound.h"

// Mouse positions are the signed 16-bit halves of lParam: while the mouse is
// captured they can lie left of or above the client area.
static int xOf(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

static int yOf(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

static HFONT createFont(const FontLayout& font)
{
    return CreateFontW(font.height, 0, 0, 0, font.weight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                       nullptr);
}

static LRESULT onCreate(HWND window)
{
    mainWindow = window;
    appIcon = LoadIconW(appInstance, MAKEINTRESOURCEW(APP_ICON_ID));
    hoverCursor = LoadCursorW(appInstance, MAKEINTRESOURCEW(HOVER_CURSOR_ID));
    aimCursor = LoadCursorW(appInstance, MAKEINTRESOURCEW(AIM_CURSOR_ID));
    smallFont = createFont(fontTable[SmallFont]);
    logFont = createFont(fontTable[LogFont]);
    RECT client;
    GetClientRect(window, &client);
    setClientSize(client.right - client.left, client.bottom - client.top);
    createControls(window);
    createDrawingResources();
    return 0;
}

static LRESULT onDestroy()
{
    stopMusic();
    releaseSoundEffects();  // stops the playing effect before its buffer goes
    releaseDrawingResources();
    platform::destroyCapturedIcons();
    PostQuitMessage(0);  // the fonts go once the controls using them are gone
    return 0;
}

static LRESULT onMinMaxInfo(LPARAM lParam)
{
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = info->ptMaxTrackSize.x = windowLayout.width;
    info->ptMinTrackSize.y = info->ptMaxTrackSize.y = windowLayout.height;
    return 0;
}

// The StatusPanel on white and the MessageLog on light grey (the stock
// brushes of those colours), both with transparent text backgrounds; 0 leaves
// the ResultPanel the default colours.
static LRESULT onStaticColour(WPARAM wParam, LPARAM lParam)
{
    HWND panel = reinterpret_cast<HWND>(lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    for (const ControlLayout& layout : controlTable) {
        if (!panel || panel != controlWindow(layout.control) ||
            layout.background == DefaultBackground)
            continue;
        SetBkMode(dc, TRANSPARENT);
        int brush = layout.background == WhiteBackground ? WHITE_BRUSH : LTGRAY_BRUSH;
        return reinterpret_cast<LRESULT>(GetStockObject(brush));
    }
    return 0;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        return onDestroy();
    case WM_PAINT:
        paintWindow();
        return 0;
    case WM_GETMINMAXINFO:
        return onMinMaxInfo(lParam);
    case WM_KEYDOWN:
        return handleKey(wParam, lParam);
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return onStaticColour(wParam, lParam);
    case WM_MOUSEMOVE:
        onMouseMove(xOf(lParam), yOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(xOf(lParam), yOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonUp(xOf(lParam), yOf(lParam));
        return 0;
    case WM_CANCELMODE:
        // Sent when the drag's release can no longer reach the game (and by
        // the system before a box takes the input); the default procedure
        // lets go of the mouse.
        cancelWhiteArrow();
        return DefWindowProcW(window, message, wParam, lParam);
    case MM_MCINOTIFY:
        onMusicNotify(wParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
