// A program for the White Arrow to hit: one plain window of its own class,
// placed where the test says, until it is closed. Built twice, with an icon
// resource and without any, so both captured-icon paths can be seen.
//
// Usage: target.exe CLASS X Y [lock]
// CLASS is the window's class name and title. With "lock" the program keeps
// its own file open for reading and shared with no one, so that nobody else
// can open it while the window is up.
#include <windows.h>

#include <cstdlib>
#include <cstring>

static LRESULT CALLBACK targetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The n-th word of the command line after the program's own name (n from 1).
static bool argument(int n, char* word, size_t size)
{
    const char* p = GetCommandLineA();
    bool quoted = *p == '"';
    p += quoted ? 1 : 0;
    while (*p && (quoted ? *p != '"' : *p != ' '))
        ++p;
    if (quoted && *p)
        ++p;
    for (int i = 1; i <= n; ++i) {
        while (*p == ' ')
            ++p;
        const char* start = p;
        while (*p && *p != ' ')
            ++p;
        if (start == p)
            return false;
        if (i == n) {
            size_t length = static_cast<size_t>(p - start) < size - 1 ? static_cast<size_t>(p - start) : size - 1;
            std::memcpy(word, start, length);
            word[length] = '\0';
        }
    }
    return true;
}

static HANDLE lockOwnFile()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char name[128], x[16], y[16], option[16] = "";
    if (!argument(1, name, sizeof name) || !argument(2, x, sizeof x) || !argument(3, y, sizeof y))
        return 2;
    argument(4, option, sizeof option);
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (std::strcmp(option, "lock") == 0) {
        lock = lockOwnFile();
        if (lock == INVALID_HANDLE_VALUE)
            return 3;
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = targetProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc))
        return 1;
    HWND window = CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, std::atoi(x), std::atoi(y),
                                  160, 120, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    if (lock != INVALID_HANDLE_VALUE)
        CloseHandle(lock);
    return 0;
}
