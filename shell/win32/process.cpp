// The White Arrow's window verbs: the window under a point, the executable of
// the process that owns it, mouse capture, cursors and the captured icons;
// and the game's own path and working folder.
#include "shell/win32/win32.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>

#include "capture/arrow.h"
#include "shell/win32/text.h"

WindowRef platform::windowAtClientPoint(int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(mainWindow, &point);
    return reinterpret_cast<WindowRef>(WindowFromPoint(point));
}

bool platform::isMainWindow(WindowRef window)
{
    return mainWindow && reinterpret_cast<HWND>(window) == mainWindow;
}

typedef HANDLE(WINAPI* SnapshotFunction)(DWORD, DWORD);
typedef BOOL(WINAPI* ProcessWalkFunction)(HANDLE, PROCESSENTRY32W*);

// Copies a rule path into the rules' 260-byte buffer, cut after 259 bytes
// as a path the system reported in 260 characters would be.
static void copyRulePath(const std::string& rulePath, char path[260])
{
    size_t kept = rulePath.size() < 259 ? rulePath.size() : 259;
    std::memcpy(path, rulePath.data(), kept);
    path[kept] = '\0';
}

// The first module of the process is its executable. Its real path is kept
// behind the rules' Shift_JIS one, so that a folder or file name with
// characters outside Shift_JIS is still read.
static bool exePathOfProcess(DWORD processId, char path[260])
{
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (modules == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    bool found = Module32FirstW(modules, &module) != 0;
    if (found) {
        module.szExePath[MAX_PATH - 1] = L'\0';
        copyRulePath(rulePathOfWide(module.szExePath), path);
    }
    CloseHandle(modules);
    return found;
}

// Walks the process snapshot to the window's process, through the tool-help
// functions looked up by name in the kernel library.
static bool findProcessExe(HMODULE kernel, DWORD processId, char path[260])
{
    SnapshotFunction snapshot = reinterpret_cast<SnapshotFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
    ProcessWalkFunction first = reinterpret_cast<ProcessWalkFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Process32FirstW")));
    ProcessWalkFunction next = reinterpret_cast<ProcessWalkFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Process32NextW")));
    if (!snapshot || !first || !next)
        return false;
    HANDLE processes = snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(processes, &entry); more; more = next(processes, &entry)) {
        if (entry.th32ProcessID == processId) {
            found = exePathOfProcess(processId, path);
            break;
        }
    }
    CloseHandle(processes);
    return found;
}

bool platform::exePathOfWindow(WindowRef window, char path[260])
{
    HMODULE kernel = LoadLibraryW(L"Kernel32.DLL");
    if (!kernel)
        return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
    // Process id 0 is no process: a module snapshot of id 0 would describe
    // this game itself.
    bool found = processId != 0 && findProcessExe(kernel, processId, path);
    FreeLibrary(kernel);
    return found;
}

void platform::captureMouse()
{
    SetCapture(mainWindow);
    // A press waits in the queue while the game is busy, but the system
    // routes the release when it happens: to the window then under the
    // pointer, since nothing held the mouse yet. The capture would then wait
    // for a release that has already gone elsewhere, and the drag would
    // never end. A press that waited, found with its button up and no
    // release of it on the way, ends its drag without a shot. A press taken
    // as it came is held from before its release could happen, and is not
    // asked about: under Wine the button's state does not always follow
    // input that a program sent.
    DWORD pressedAt = static_cast<DWORD>(GetMessageTime());
    bool waited = static_cast<LONG>(pressedAt - messagesAwaitedSince) < 0;
    int left = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;  // the physical button
    MSG release;
    if (waited && !(GetAsyncKeyState(left) & 0x8000) &&
        !PeekMessageW(&release, mainWindow, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_QS_INPUT))
        PostMessageW(mainWindow, WM_CANCELMODE, 0, 0);
}

void platform::releaseMouse()
{
    ReleaseCapture();
}

void platform::setCursorShape(CursorShape cursor)
{
    switch (cursor) {
    case AimCursor: SetCursor(aimCursor); break;
    case HoverCursor: SetCursor(hoverCursor); break;
    default: SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))); break;  // the standard arrow
    }
}

// The program's own path in UTF-16, whatever its length.
static std::wstring ownWidePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int enterOwnFolder()
{
    std::wstring own = ownWidePath();
    copyRulePath(rulePathOfWide(own), ownExePath);
    // The folder keeps its trailing backslash (or the drive its colon).
    size_t end = own.find_last_of(L"\\/:");
    if (end == std::wstring::npos)
        return 1;
    std::wstring folder = own.substr(0, end + 1);
    return SetCurrentDirectoryW(folder.c_str()) ? 0 : 1;
}

// ---- icons: the grab icon and the two captured program icons, with the
// system's default icon standing in for a file without one ----

// HeroIcon and SecondIcon. A slot holding the shared default icon does not
// own it, so it is never destroyed.
struct IconSlot {
    HICON icon;
    bool owned;
};
static IconSlot slots[2];

static IconSlot* slotOf(Icon icon)
{
    if (icon == HeroIcon)
        return &slots[0];
    if (icon == SecondIcon)
        return &slots[1];
    return nullptr;
}

static void emptySlot(IconSlot& slot)
{
    if (slot.icon && slot.owned)
        DestroyIcon(slot.icon);
    slot.icon = nullptr;
    slot.owned = false;
}

void platform::captureIcon(const char* path, Icon icon)
{
    IconSlot* slot = slotOf(icon);
    if (!slot)
        return;
    HICON extracted = ExtractIconW(appInstance, widePathOf(path).c_str(), 0);
    // 1 means the file is not one that holds icons at all: no icon either.
    bool found = reinterpret_cast<UINT_PTR>(extracted) > 1;
    HICON chosen = found ? extracted : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    emptySlot(*slot);
    slot->icon = chosen;
    slot->owned = found;
}

void platform::destroyCapturedIcons()
{
    emptySlot(slots[0]);
    emptySlot(slots[1]);
}

void platform::drawIcon(Icon icon, int x, int y)
{
    HDC dc = currentPaintDC();
    IconSlot* slot = slotOf(icon);
    HICON handle = slot ? slot->icon : icon == AppIcon ? appIcon : nullptr;
    if (dc && handle)
        DrawIcon(dc, x, y, handle);
}
