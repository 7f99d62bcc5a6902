// The test driver: a console program in the game's Wine prefix that finds
// windows, reads and clicks controls, reads pixels and waits for conditions.
//
// Usage: driver.exe COMMAND ARGS... [+ COMMAND ARGS...]...
// Commands run in order; the first that fails ends the run with exit code 1
// and a line on stderr naming what did not appear (2: bad usage). Texts are
// printed as UTF-8, one result per line. Times are in milliseconds.
//
// WIN names a top-level window: a class name (TAVRENNE), or box:CAPTION for
// a message box with exactly that caption ("box:" for an empty caption).
// CTL names a child of WIN: a control id in decimal (101), #N for the N-th
// child in creation order (#0 first), or . for WIN itself.
//
//   wait WIN [ms]             until a visible WIN exists (default 20000 ms)
//   gone WIN [ms]             until no WIN exists, visible or not
//   count WIN                 prints how many WIN exist, visible or not
//   text WIN CTL              prints the text (a box's message is control 65535)
//   wait-text WIN CTL TEXT [ms]  until that text is exactly TEXT (~TEXT: until it
//                             contains TEXT; !TEXT: until it is anything but TEXT)
//   watch-text WIN CTL TEXT [ms]  as wait-text, but prints "watching" once it has read
//                             the text the first time, and looks every 10 ms: a caller
//                             can start it, wait for that line, then act, and a text
//                             that shows only for a moment is still seen
//   visible WIN CTL           prints 1 if shown, else 0
//   enabled WIN CTL           prints 1 if enabled, else 0
//   line WIN CTL              prints the text on one line, each line feed written as \n
//   click WIN CTL             clicks a button (posted, so a long handler never blocks us)
//   press WIN CTL [ms]        clicks a shown and enabled button and returns when the
//                             click has been handled (fails on a hidden or disabled one)
//   close WIN                 asks the window to close (WM_CLOSE)
//   post WIN MSG WPARAM LPARAM   posts a message; numbers in decimal or 0x hex
//   key WIN VK [repeat]       posts WM_KEYDOWN with that repeat count (default 1)
//   send-key WIN VK [repeat]  sends WM_KEYDOWN and returns when it has been handled
//   idle WIN [ms]             returns once the window's thread takes messages again
//   capture WIN               prints 1 if the window's thread holds the mouse capture, else 0
//   type WIN VK...            brings WIN to the front and presses and releases each key
//                             through the system's input queue (SendInput), as a keyboard
//                             does; returns without waiting for them to be handled
//   drag X1 Y1 X2 Y2          through the system's input queue, as a mouse does: the left
//                             button pressed at screen X1,Y1, moved and released at X2,Y2;
//                             the system, not the driver, says which window gets each part
//   post-to WIN CTL MSG WPARAM LPARAM   posts a message to a child control
//   origin WIN                prints the screen position of the client area's origin
//   rect WIN                  prints the window's screen rectangle: left top right bottom
//   client WIN                prints the client area's width and height
//   pixel WIN X Y             prints the client pixel's colour as RRGGBB
//   wait-pixel WIN X Y RRGGBB [ms]  until the client pixel has that colour
//                             (!RRGGBB: until it has any other colour)
//   client-image WIN          writes the client area as a BMP file to standard output
//                             (pixels are read from the window's own device context,
//                             wherever the window last reached the screen)
//   drawn-text WIN HEIGHT WEIGHT LEFT TOP RIGHT BOTTOM LAYOUT TEXT [ms]
//                             until the client rectangle shows TEXT as the game paints
//                             it: a Shift_JIS font of that height and weight, black on
//                             white over the window background; LAYOUT bottom-left
//                             (one line on the bottom edge) or centred (each line)
//   iconic WIN                prints 1 if minimised, else 0
//   workarea .                prints the desktop work area: left top right bottom
//   syscolor N                prints system colour N (GetSysColor) as RRGGBB
#include "driver.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

static const DWORD defaultWait = 20000;
static const DWORD pollEvery = 50;
static const DWORD watchEvery = 10;

int fail(const std::string& what)
{
    std::fprintf(stderr, "driver: %s\n", what.c_str());
    return 1;
}

std::string utf8Of(const std::wstring& wide)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(std::strlen(out.c_str()));
    return out;
}

std::wstring wideOf(const std::string& utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring out(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], length);
    out.resize(std::wcslen(out.c_str()));
    return out;
}

void print(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

long number(const std::string& text)
{
    return std::strtol(text.c_str(), nullptr, 0);
}

// The control's text through the wide WM_GETTEXT, whatever the system's
// code page, as UTF-8.
static std::string textOf(HWND window)
{
    wchar_t buffer[4096] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0],
                        reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
    buffer[sizeof buffer / sizeof buffer[0] - 1] = L'\0';
    return utf8Of(buffer);
}

// ---- finding windows ----

struct Search {
    std::string className;
    std::string caption;
    bool byCaption;
    std::vector<HWND> found;
};

static BOOL CALLBACK collectTopLevel(HWND window, LPARAM data)
{
    Search& search = *reinterpret_cast<Search*>(data);
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (search.className != name)
        return TRUE;
    if (search.byCaption) {
        wchar_t caption[512] = L"";
        GetWindowTextW(window, caption, sizeof caption / sizeof caption[0]);
        if (search.caption != utf8Of(caption))
            return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}

static std::vector<HWND> findWindows(const std::string& which)
{
    Search search;
    search.byCaption = which.compare(0, 4, "box:") == 0;
    search.className = search.byCaption ? "#32770" : which;
    search.caption = search.byCaption ? which.substr(4) : "";
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

static HWND findVisible(const std::string& which)
{
    for (HWND window : findWindows(which))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

static BOOL CALLBACK collectChild(HWND window, LPARAM data)
{
    std::vector<HWND>& children = *reinterpret_cast<std::vector<HWND>*>(data);
    children.push_back(window);
    return TRUE;
}

static HWND findControl(HWND parent, const std::string& which)
{
    if (which == ".")
        return parent;
    if (!which.empty() && which[0] == '#') {
        std::vector<HWND> children;
        EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&children));
        size_t index = static_cast<size_t>(number(which.substr(1)));
        return index < children.size() ? children[index] : nullptr;
    }
    return GetDlgItem(parent, static_cast<int>(number(which)));
}

// ---- commands ----

// Polls check until it holds or the time is up.
template <typename Check>
static bool waitFor(DWORD milliseconds, DWORD every, Check check)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (check())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(every);
    }
}

template <typename Check>
static bool waitFor(DWORD milliseconds, Check check)
{
    return waitFor(milliseconds, pollEvery, check);
}

static DWORD timeArg(const Args& args, size_t at)
{
    return args.size() > at ? static_cast<DWORD>(number(args[at])) : defaultWait;
}

static std::string hexColour(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

static const int notThisGroup = -1;

static std::string printed(RECT r, bool twoNumbers)
{
    char text[64];
    if (twoNumbers)
        std::snprintf(text, sizeof text, "%ld %ld", r.left, r.top);
    else
        std::snprintf(text, sizeof text, "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return text;
}

// Whether a text matches TEXT, ~TEXT (contains) or !TEXT (anything else).
static bool textMatches(const std::string& text, const std::string& want)
{
    if (!want.empty() && want[0] == '~')
        return text.find(want.substr(1)) != std::string::npos;
    if (!want.empty() && want[0] == '!')
        return text != want.substr(1);
    return text == want;
}

static int waitText(const Args& args, bool watching)
{
    const std::string& which = args[1];
    // The window is looked up afresh each time: a box may give way to another.
    std::string last = "(no such window or control)";
    bool announced = false;
    bool seen = waitFor(timeArg(args, 4), watching ? watchEvery : pollEvery, [&] {
        HWND window = findVisible(which);
        HWND control = window ? findControl(window, args[2]) : nullptr;
        if (!control)
            return false;
        last = textOf(control);
        if (watching && !announced) {
            print("watching");
            announced = true;
        }
        return textMatches(last, args[3]);
    });
    if (!seen)
        return fail("control " + args[2] + " of " + which + " reads \"" + last +
                    "\", not \"" + args[3] + "\"");
    return 0;
}

// Input as a device gives it: the system routes every event at the moment it
// arrives, to the window under the pointer (or holding the capture) or with
// the keyboard focus, whatever the programs are busy with.
static void sendInput(INPUT input)
{
    SendInput(1, &input, sizeof input);
}

static void sendKeyInput(WORD vk)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    sendInput(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    sendInput(input);
}

static void sendMouseInput(DWORD flags, int x, int y)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    sendInput(input);
    Sleep(20);
}

static int drag(const Args& args)
{
    int x1 = static_cast<int>(number(args[1]));
    int y1 = static_cast<int>(number(args[2]));
    int x2 = static_cast<int>(number(args[3]));
    int y2 = static_cast<int>(number(args[4]));
    sendMouseInput(0, x1, y1);
    sendMouseInput(MOUSEEVENTF_LEFTDOWN, x1, y1);
    sendMouseInput(0, (x1 + x2) / 2, (y1 + y2) / 2);
    sendMouseInput(0, x2, y2);
    sendMouseInput(MOUSEEVENTF_LEFTUP, x2, y2);
    return 0;
}

// Commands that need no existing window, or wait for one.
static int runWithoutWindow(const std::string& name, const Args& args)
{
    const std::string& which = args[1];
    if (name == "syscolor") {
        print(hexColour(GetSysColor(static_cast<int>(number(which)))));
        return 0;
    }
    if (name == "workarea") {
        RECT r = {0, 0, 0, 0};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
        print(printed(r, false));
        return 0;
    }
    if (name == "wait") {
        if (!waitFor(timeArg(args, 2), [&] { return findVisible(which) != nullptr; }))
            return fail("no visible window " + which + " appeared");
        return 0;
    }
    if (name == "gone") {
        if (!waitFor(timeArg(args, 2), [&] { return findWindows(which).empty(); }))
            return fail("window " + which + " is still there");
        return 0;
    }
    if ((name == "wait-text" || name == "watch-text") && args.size() >= 4)
        return waitText(args, name == "watch-text");
    if (name == "count") {
        print(std::to_string(findWindows(which).size()));
        return 0;
    }
    if (name == "drag" && args.size() >= 5)
        return drag(args);
    return notThisGroup;
}

static int pixelCommand(const std::string& name, const Args& args, HWND window)
{
    int x = static_cast<int>(number(args[2]));
    int y = static_cast<int>(number(args[3]));
    COLORREF colour = CLR_INVALID;
    if (name == "pixel") {
        if (!clientPixel(window, x, y, &colour))
            return fail("cannot read the pixel at " + args[2] + "," + args[3]);
        print(hexColour(colour));
        return 0;
    }
    if (args.size() < 5)
        return fail("wait-pixel: which colour?");
    bool negated = args[4][0] == '!';
    std::string wanted = negated ? args[4].substr(1) : args[4];
    bool seen = waitFor(timeArg(args, 5), [&] {
        return clientPixel(window, x, y, &colour) && (hexColour(colour) == wanted) != negated;
    });
    if (!seen)
        return fail("pixel " + args[2] + "," + args[3] + " of " + args[1] + " is " +
                    hexColour(colour) + ", not " + args[4]);
    return 0;
}

// Sends a message and waits until the window's thread has handled it (a
// long handler may pause for seconds; a modal box would hold it up).
static bool handled(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, milliseconds, &result) != 0;
}

static int sendKey(HWND window, const Args& args)
{
    LPARAM repeat = args.size() > 3 ? number(args[3]) : 1;
    if (!handled(window, WM_KEYDOWN, static_cast<WPARAM>(number(args[2])), repeat & 0xffff, defaultWait))
        return fail("the key " + args[2] + " was not handled within " + std::to_string(defaultWait) + " ms");
    return 0;
}

// A click as a player makes it: only on a button that is shown and enabled.
static int press(HWND button, const Args& args)
{
    if (!IsWindowVisible(button))
        return fail("press: button " + args[2] + " is hidden");
    if (!IsWindowEnabled(button))
        return fail("press: button " + args[2] + " is disabled");
    if (!handled(button, BM_CLICK, 0, 0, timeArg(args, 3)))
        return fail("press: the click on " + args[2] + " was not handled in time");
    return 0;
}

static int postTo(HWND window, const Args& args, size_t at)
{
    BOOL posted = PostMessageA(window, static_cast<UINT>(number(args[at])),
                               static_cast<WPARAM>(number(args[at + 1])),
                               static_cast<LPARAM>(number(args[at + 2])));
    return posted ? 0 : fail("cannot post to " + args[1]);
}

// Commands on an existing top-level window.
static int runOnWindow(const std::string& name, const Args& args, HWND window)
{
    if (name == "iconic") {
        print(IsIconic(window) ? "1" : "0");
        return 0;
    }
    if (name == "close")
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : fail("cannot post to " + args[1]);
    if (name == "post" && args.size() >= 5)
        return postTo(window, args, 2);
    if (name == "key" && args.size() >= 3) {
        LPARAM repeat = args.size() > 3 ? number(args[3]) : 1;
        PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(number(args[2])), repeat & 0xffff);
        return 0;
    }
    if (name == "send-key" && args.size() >= 3)
        return sendKey(window, args);
    if (name == "idle") {
        if (!handled(window, WM_NULL, 0, 0, timeArg(args, 2)))
            return fail(args[1] + " did not take messages again");
        return 0;
    }
    if (name == "type") {
        SetForegroundWindow(window);
        if (!waitFor(1000, 5, [&] { return GetForegroundWindow() == window; }))
            return fail(args[1] + " did not come to the front");
        for (size_t i = 2; i < args.size(); ++i)
            sendKeyInput(static_cast<WORD>(number(args[i])));
        return 0;
    }
    if (name == "capture") {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
            return fail("cannot read the input state of " + args[1] + "'s thread");
        print(info.hwndCapture ? "1" : "0");
        return 0;
    }
    if (name == "drawn-text")
        return drawnText(args, window);
    RECT r = {0, 0, 0, 0};
    if (name == "origin") {
        ClientToScreen(window, reinterpret_cast<POINT*>(&r.left));
        print(printed(r, true));
        return 0;
    }
    if (name == "rect" && GetWindowRect(window, &r)) {
        print(printed(r, false));
        return 0;
    }
    if (name == "client" && GetClientRect(window, &r)) {
        print(printed(RECT{r.right - r.left, r.bottom - r.top, 0, 0}, true));
        return 0;
    }
    if ((name == "pixel" || name == "wait-pixel") && args.size() >= 4)
        return pixelCommand(name, args, window);
    if (name == "client-image")
        return clientImage(window);
    return notThisGroup;
}

// Commands on a child control of a top-level window.
static int runOnControl(const std::string& name, const Args& args, HWND control)
{
    if (name == "text") {
        print(textOf(control));
        return 0;
    }
    if (name == "visible") {
        print(IsWindowVisible(control) ? "1" : "0");
        return 0;
    }
    if (name == "enabled") {
        print(IsWindowEnabled(control) ? "1" : "0");
        return 0;
    }
    if (name == "post-to" && args.size() >= 6)
        return postTo(control, args, 3);
    if (name == "click")
        return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : fail("cannot click " + args[2]);
    if (name == "press")
        return press(control, args);
    if (name == "line") {
        std::string text = textOf(control), line;
        for (char c : text)
            line += c == '\n' ? std::string("\\n") : std::string(1, c);
        print(line);
        return 0;
    }
    return notThisGroup;
}

// Runs one command; args[0] is its name.
static int run(const Args& args)
{
    const std::string& name = args[0];
    if (args.size() < 2)
        return fail(name + ": which window?");
    int result = runWithoutWindow(name, args);
    if (result != notThisGroup)
        return result;
    std::vector<HWND> windows = findWindows(args[1]);
    HWND window = findVisible(args[1]);
    if (!window && !windows.empty())
        window = windows[0];
    if (!window)
        return fail(name + ": no window " + args[1]);
    result = runOnWindow(name, args, window);
    if (result != notThisGroup)
        return result;
    if (args.size() < 3)
        return fail(name + ": which control?");
    HWND control = findControl(window, args[2]);
    if (!control)
        return fail(name + ": no control " + args[2] + " in " + args[1]);
    result = runOnControl(name, args, control);
    if (result != notThisGroup)
        return result;
    std::fprintf(stderr, "driver: unknown command or missing arguments: %s\n", name.c_str());
    return 2;
}

int main(int argc, char**)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: driver.exe COMMAND ARGS... [+ COMMAND ARGS...]...\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone
    // The arguments from the wide command line, as UTF-8: the system's
    // code page may not hold their Japanese.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments.push_back(utf8Of(wide[i]));
    if (wide)
        LocalFree(wide);
    argc = static_cast<int>(arguments.size());
    Args command;
    for (int i = 1; i <= argc; ++i) {
        if (i < argc && arguments[i] != "+") {
            command.push_back(arguments[i]);
            continue;
        }
        if (command.empty())
            continue;
        int result = run(command);
        if (result != 0)
            return result;
        command.clear();
    }
    return 0;
}
