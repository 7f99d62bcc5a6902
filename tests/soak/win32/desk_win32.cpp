// The soak's desk for the Windows program under Wine: a console program in
// the game's prefix. Keys and the mouse go in through SendInput, as the
// system's own input does; a key repeat that a busy program finds merged
// is a WM_KEYDOWN with a repeat count of 2 or more, posted to the window
// that has the keyboard focus, where the system would put it. The eyes are
// a thread that reads the log with WM_GETTEXT, which the game answers
// between two messages (so each text it reads is the state after a
// handler), and looks for the game's boxes; the round trip of the checks
// is SendMessageTimeout with WM_NULL.
#include "tests/soak/runner.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <mutex>
#include <set>
#include <thread>

namespace soak {
namespace {

std::string utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], bytes, nullptr, nullptr);
    text.resize(bytes > 0 ? bytes - 1 : 0);
    return text;
}

std::wstring wide(const std::string& text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], length);
    out.resize(length > 0 ? length - 1 : 0);
    return out;
}

std::wstring className(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring storedText(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

struct VirtualKey {
    WORD code;
    bool extended;
};

VirtualKey virtualKey(Key key)
{
    switch (key) {
    case Key::Up: return {VK_UP, true};
    case Key::Down: return {VK_DOWN, true};
    case Key::Left: return {VK_LEFT, true};
    case Key::Right: return {VK_RIGHT, true};
    case Key::Return: return {VK_RETURN, false};
    case Key::Space: return {VK_SPACE, false};
    case Key::F7: return {VK_F7, false};
    case Key::F11: return {VK_F11, false};
    case Key::Escape: return {VK_ESCAPE, false};
    case Key::Tab: return {VK_TAB, false};
    case Key::BackSpace: return {VK_BACK, false};
    case Key::A: return {'A', false};
    case Key::Z: return {'Z', false};
    case Key::Digit1: return {'1', false};
    case Key::F1: return {VK_F1, false};
    case Key::F5: return {VK_F5, false};
    case Key::F12: return {VK_F12, false};
    case Key::Home: return {VK_HOME, true};
    case Key::Delete: return {VK_DELETE, true};
    case Key::KeypadEnter: return {VK_RETURN, true};
    }
    return {0, false};
}

class Win32Desk : public Desk {
public:
    Win32Desk(HWND game) : game_(game)
    {
        thread_ = GetWindowThreadProcessId(game_, &process_);
        processHandle_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_);
        std::vector<HWND> children;
        EnumChildWindows(game_, collect, reinterpret_cast<LPARAM>(&children));
        // The panels in creation order: StatusPanel, ResultPanel, MessageLog.
        for (size_t i = 0; i < 3 && i < children.size(); ++i)
            panels_[i] = children[i];
        screenW_ = GetSystemMetrics(SM_CXSCREEN);
        screenH_ = GetSystemMetrics(SM_CYSCREEN);
        eyes_ = std::thread([this] { look(); });
    }

    ~Win32Desk() override
    {
        stop_ = true;
        eyes_.join();
        if (processHandle_)
            CloseHandle(processHandle_);
    }

    HWND target = nullptr;
    HWND young = nullptr;
    std::vector<HWND> finales;
    RECT desktop = {0, 0, 1, 1};
    std::wstring gameLog;

    void press(Key key) override
    {
        keyTo();
        sendKey(key, true);
        sendKey(key, false);
    }

    void repeat(Key key, int count) override
    {
        keyTo();
        VirtualKey vk = virtualKey(key);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        HWND focus = GetGUIThreadInfo(thread_, &info) && info.hwndFocus ? info.hwndFocus : game_;
        LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk.code, MAPVK_VK_TO_VSC)) << 16;
        LPARAM flags = scan | (vk.extended ? 1 << 24 : 0);
        PostMessageW(focus, WM_KEYDOWN, vk.code, flags | (count & 0xffff) | (1 << 30));
        PostMessageW(focus, WM_KEYUP, vk.code, flags | 1 | (1 << 30) | (1u << 31));
    }

    void hold(Key key, int milliseconds) override
    {
        keyTo();
        long long end = nowMilliseconds() + milliseconds;
        long long nextRepeat = nowMilliseconds() + 500;
        sendKey(key, true);
        while (nowMilliseconds() < end) {
            if (nowMilliseconds() >= nextRepeat) {
                sendKey(key, true);  // the keyboard's own repeat, 30 a second
                nextRepeat += 33;
            }
            sleepMilliseconds(5);
        }
        sendKey(key, false);
    }

    void moveTo(const Point& point, bool glide) override
    {
        POINT to = onScreen(point);
        if (glide) {
            POINT from;
            GetCursorPos(&from);
            for (int step = 1; step < 4; ++step) {
                sendMove(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
                sleepMilliseconds(4);
            }
        }
        sendMove(to.x, to.y);
    }

    void button(bool down) override
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(1, &input, sizeof input);
        buttonDown_ = down;
    }

    bool answerBox(Answer answer) override
    {
        HWND box = openBox();
        if (!box)
            return false;
        if (GetForegroundWindow() != box)
            SetForegroundWindow(box);
        switch (answer) {
        case Answer::Return: sendKey(Key::Return, true); sendKey(Key::Return, false); break;
        case Answer::Space: sendKey(Key::Space, true); sendKey(Key::Space, false); break;
        case Answer::Escape: sendKey(Key::Escape, true); sendKey(Key::Escape, false); break;
        case Answer::ClickOk: {
            HWND ok = GetDlgItem(box, IDOK);
            RECT r;
            if (!ok || !GetWindowRect(ok, &r))
                return true;
            sendMove((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            sleepMilliseconds(10);
            button(true);
            sleepMilliseconds(20);
            button(false);
            break;
        }
        }
        return true;
    }

    void releaseAll() override
    {
        for (Key key : down_)
            sendKey(key, false);
        down_.clear();
        if (buttonDown_)
            button(false);
    }

    std::vector<Observation> observe() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Observation> seen;
        seen.swap(seen_);
        return seen;
    }

    std::string text(Field field) override
    {
        int id = static_cast<int>(field);
        HWND control = id <= 3 ? panels_[id - 1] : GetDlgItem(game_, id);
        return control ? messageText(control, 5000) : "";
    }

    bool boxOpen() override
    {
        return openBox() != nullptr;
    }

    // WM_GETTEXT: the game's thread answers it only between two messages
    // or in a pause's own message loop.
    std::string readBack(Field field, int withinMilliseconds, std::string* text) override
    {
        int id = static_cast<int>(field);
        HWND control = id <= 3 ? panels_[id - 1] : GetDlgItem(game_, id);
        wchar_t buffer[1024] = L"";
        DWORD_PTR copied = 0;
        if (!control || !SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                                             static_cast<UINT>(withinMilliseconds), &copied))
            return "the game did not answer WM_GETTEXT within " + std::to_string(withinMilliseconds / 1000) + " s";
        buffer[1023] = L'\0';
        *text = utf8(buffer);
        return "";
    }

    std::string alive() override
    {
        if (!processHandle_ || WaitForSingleObject(processHandle_, 0) == WAIT_OBJECT_0)
            return "the game's process has ended";
        if (!IsWindow(game_))
            return "the game's window is gone";
        return "";
    }

    std::string answers(int withinMilliseconds) override
    {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(game_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(withinMilliseconds), &result))
            return "";
        return "the game's window did not answer WM_NULL within " + std::to_string(withinMilliseconds / 1000) + " s";
    }

    bool pointerHeld() override
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread_, &info) && info.hwndCapture;
    }

    std::string faults() override
    {
        std::string problem;
        EnumWindows(findForeignDialog, reinterpret_cast<LPARAM>(this));
        if (!foreignDialog_.empty())
            return "a dialog of another program: " + foreignDialog_;
        HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (processes != INVALID_HANDLE_VALUE) {
            PROCESSENTRY32W entry = {};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32FirstW(processes, &entry); more; more = Process32NextW(processes, &entry))
                if (lstrcmpiW(entry.szExeFile, L"winedbg.exe") == 0)
                    problem = "the debugger winedbg runs: a program crashed";
            CloseHandle(processes);
        }
        if (!problem.empty())
            return problem;
        FILE* log = _wfopen(gameLog.c_str(), L"rb");
        if (log) {
            char line[2048];
            while (std::fgets(line, sizeof line, log))
                if (std::strstr(line, "Unhandled") || std::strstr(line, "err:seh")) {
                    problem = std::string("the game's log reports: ") + line;
                    break;
                }
            std::fclose(log);
        }
        return problem;
    }

    std::string state() override
    {
        POINT cursor = {};
        GetCursorPos(&cursor);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        HWND under = WindowFromPoint(cursor);
        return "the pointer at " + std::to_string(cursor.x) + "," + std::to_string(cursor.y) + " over " +
               describeWindow(under) + "; in front " + describeWindow(GetForegroundWindow()) +
               "; the game's capture " + describeWindow(info.hwndCapture) + ", focus " +
               describeWindow(info.hwndFocus) + (boxOpen() ? "; a box is open" : "; no box open");
    }

private:
    std::string describeWindow(HWND window)
    {
        if (!window)
            return "none";
        if (window == game_)
            return "the game's window";
        return "a " + utf8(className(window)) + " \"" + utf8(storedText(window)) + "\"";
    }

    static BOOL CALLBACK collect(HWND window, LPARAM data)
    {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
    }

    static BOOL CALLBACK findForeignDialog(HWND window, LPARAM data)
    {
        Win32Desk* desk = reinterpret_cast<Win32Desk*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (IsWindowVisible(window) && className(window) == L"#32770" && process != desk->process_) {
            desk->foreignDialog_ = utf8(storedText(window));
            return FALSE;
        }
        return TRUE;
    }

    struct BoxSearch {
        DWORD process;
        std::vector<HWND> found;
    };

    static BOOL CALLBACK findBoxes(HWND window, LPARAM data)
    {
        BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == search->process && IsWindowVisible(window) && className(window) == L"#32770")
            search->found.push_back(window);
        return TRUE;
    }

    std::vector<HWND> boxes()
    {
        BoxSearch search{process_, {}};
        EnumWindows(findBoxes, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND openBox()
    {
        std::vector<HWND> found = boxes();
        return found.empty() ? nullptr : found.back();
    }

    static std::string messageText(HWND control, UINT timeout)
    {
        wchar_t text[1024] = L"";
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, timeout,
                                 &copied))
            return storedText(control).empty() ? "" : utf8(storedText(control));
        text[1023] = L'\0';
        return utf8(text);
    }

    // The eyes' thread: the log, the ending's result panel, the boxes.
    void look()
    {
        std::string log;
        bool resultShown = false;
        std::set<HWND> known;
        while (!stop_) {
            std::vector<Observation> now;
            if (panels_[2]) {
                std::string text = messageText(panels_[2], 1000);
                if (text != log) {
                    log = text;
                    now.push_back(Observation{Observation::LogText, text});
                }
            }
            bool shown = panels_[1] && IsWindowVisible(panels_[1]);
            if (shown && !resultShown)
                now.push_back(Observation{Observation::Ending, ""});
            resultShown = shown;
            std::set<HWND> open;
            for (HWND box : boxes()) {
                open.insert(box);
                if (!known.count(box))
                    now.push_back(Observation{Observation::BoxOpened, utf8(storedText(box)) + "|" +
                                                                 utf8(storedText(GetDlgItem(box, 0xFFFF)))});
            }
            known = open;
            if (!now.empty()) {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.insert(seen_.end(), now.begin(), now.end());
            }
            Sleep(2);
        }
    }

    void keyTo()
    {
        HWND front = GetForegroundWindow();
        HWND box = openBox();
        if (front == game_ || (box && front == box))
            return;
        SetForegroundWindow(box ? box : game_);
        long long end = nowMilliseconds() + 1000;
        while (GetForegroundWindow() != (box ? box : game_) && nowMilliseconds() < end)
            sleepMilliseconds(5);
    }

    void sendKey(Key key, bool down)
    {
        VirtualKey vk = virtualKey(key);
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk.code;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk.code, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = (vk.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
        SendInput(1, &input, sizeof input);
        if (down)
            down_.insert(key);
        else
            down_.erase(key);
    }

    void sendMove(int x, int y)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((x * 65536LL + screenW_ - 1) / screenW_);
        input.mi.dy = static_cast<LONG>((y * 65536LL + screenH_ - 1) / screenH_);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
    }

    POINT onScreen(const Point& point)
    {
        POINT at = {point.x, point.y};
        switch (point.place) {
        case Place::Client: ClientToScreen(game_, &at); break;
        case Place::Target: ClientToScreen(target, &at); break;
        case Place::Young: ClientToScreen(young, &at); break;
        case Place::Finale:
            if (point.which < static_cast<int>(finales.size()))
                ClientToScreen(finales[point.which], &at);
            break;
        case Place::Desktop:
            at.x = desktop.left + point.x * (desktop.right - desktop.left) / 1000;
            at.y = desktop.top + point.y * (desktop.bottom - desktop.top) / 1000;
            break;
        }
        return at;
    }

    HWND game_;
    DWORD thread_ = 0;
    DWORD process_ = 0;
    HANDLE processHandle_ = nullptr;
    HWND panels_[3] = {nullptr, nullptr, nullptr};
    int screenW_ = 1;
    int screenH_ = 1;
    std::set<Key> down_;
    bool buttonDown_ = false;
    std::string foreignDialog_;
    std::mutex mutex_;
    std::vector<Observation> seen_;
    std::atomic<bool> stop_{false};
    std::thread eyes_;
};

HWND waitForWindow(const std::string& windowClass)
{
    std::wstring name = wide(windowClass);
    for (int i = 0; i < 400; ++i) {
        HWND window = FindWindowW(name.c_str(), nullptr);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

const char usage[] =
    "usage: soak.exe --close CLASS   (asks the window to close)\n"
    "       soak.exe --game CLASS --target CLASS --young CLASS --desktop X Y W H --log PATH\n"
    "                [--seed N] [--inputs N] [--steps N] --finale CLASS LINE STATUS...\n";

}  // namespace
}  // namespace soak

int main()
{
    using namespace soak;
    _setmode(_fileno(stdout), _O_BINARY);
    int count = 0;
    wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(utf8(wideArgs[i]));
    LocalFree(wideArgs);
    if (args.size() == 2 && args[0] == "--close") {
        HWND window = waitForWindow(args[1]);
        return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    Options options;
    std::vector<std::string> finales;
    std::string game = "TAVRENNE", target, young, log;
    RECT desktop = {0, 0, 1, 1};
    for (size_t i = 0; i < args.size();) {
        int used = commonOption(args, i, &options, &finales);
        if (used < 0) {
            std::fputs(usage, stderr);
            return 2;
        }
        if (used > 0) {
            i += static_cast<size_t>(used);
            continue;
        }
        const std::string& name = args[i];
        size_t left = args.size() - i - 1;
        if ((name == "--game" || name == "--target" || name == "--young" || name == "--log") && left >= 1) {
            (name == "--game" ? game : name == "--target" ? target : name == "--young" ? young : log) = args[i + 1];
            i += 2;
        } else if (name == "--desktop" && left >= 4) {
            int x = std::atoi(args[i + 1].c_str()), y = std::atoi(args[i + 2].c_str());
            desktop = RECT{x, y, x + std::atoi(args[i + 3].c_str()), y + std::atoi(args[i + 4].c_str())};
            i += 5;
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (target.empty() || young.empty() || finales.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    HWND gameWindow = waitForWindow(game);
    if (!gameWindow) {
        std::fprintf(stderr, "soak: no window of class %s\n", game.c_str());
        return 2;
    }
    Win32Desk desk(gameWindow);
    desk.target = waitForWindow(target);
    desk.young = waitForWindow(young);
    for (const std::string& finale : finales)
        desk.finales.push_back(waitForWindow(finale));
    desk.desktop = desktop;
    desk.gameLog = wide(log);
    int result = runSoak(desk, options);
    desk.releaseAll();
    return result;
}
