// The nine child controls and the verbs that work them, the button filter,
// and repaint requests.
#include "shell/win32/win32.h"

#include "shell/controls.h"
#include "shell/win32/text.h"

// Handles in the order of controlTable.
static HWND controls[controlCount];
// Each button's window procedure from before it was subclassed.
static WNDPROC buttonProcs[controlCount];

static int indexOf(Control control)
{
    for (int i = 0; i < controlCount; ++i)
        if (controlTable[i].control == control)
            return i;
    return -1;
}

HWND controlWindow(Control control)
{
    int i = indexOf(control);
    return i < 0 ? nullptr : controls[i];
}

HFONT fontOf(Font font)
{
    return font == LogFont ? logFont : smallFont;
}

// A key-down never reaches a button, so a focused button never clicks itself
// from the keyboard; the key goes to the keyboard map instead.
static LRESULT CALLBACK buttonFilter(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    int i = 0;
    while (i < controlCount && controls[i] != button)
        ++i;
    if (message == WM_KEYDOWN) {
        buttonKeyDown(wParam, lParam);
        return 0;
    }
    WNDPROC previous = i < controlCount ? buttonProcs[i] : nullptr;
    if (!previous)
        return DefWindowProcW(button, message, wParam, lParam);
    return CallWindowProcW(previous, button, message, wParam, lParam);
}

void createControls(HWND parent)
{
    for (int i = 0; i < controlCount; ++i) {
        const ControlLayout& layout = controlTable[i];
        DWORD style = WS_CHILD;
        if (layout.button)
            style |= WS_TABSTOP | BS_FLAT | BS_PUSHBUTTON;
        // Buttons are known by their command number; the panels carry id 0.
        HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.button ? layout.control : 0));
        controls[i] = CreateWindowExW(0, layout.button ? L"BUTTON" : L"STATIC", wideOf(layout.text).c_str(), style,
                                      layout.x, layout.y, layout.width, layout.height, parent, id,
                                      appInstance, nullptr);
        SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(layout.font)),
                     TRUE);
        if (layout.button && controls[i]) {
            // Stored before the swap: the filter may run at once.
            buttonProcs[i] = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(controls[i], GWLP_WNDPROC));
            SetWindowLongPtrW(controls[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonFilter));
        }
    }
}

void platform::setControlText(Control control, const char* text)
{
    SetWindowTextW(controlWindow(control), wideOf(text).c_str());
}

void platform::enableControl(Control control, bool enabled)
{
    EnableWindow(controlWindow(control), enabled);
}

bool platform::isControlEnabled(Control control)
{
    return IsWindowEnabled(controlWindow(control)) != 0;
}

void platform::showControl(Control control)
{
    ShowWindow(controlWindow(control), SW_SHOWNA);
}

void platform::hideControl(Control control)
{
    ShowWindow(controlWindow(control), SW_HIDE);
}

void platform::focusMainWindow()
{
    SetFocus(mainWindow);
}

void platform::invalidate(const Rect* rect)
{
    if (!mainWindow)
        return;  // a null window would mean every window on the desktop
    if (!rect) {
        InvalidateRect(mainWindow, nullptr, TRUE);
        return;
    }
    RECT r = {rect->left, rect->top, rect->right, rect->bottom};
    InvalidateRect(mainWindow, &r, TRUE);
}
