// The White Arrow's window verbs: the window under a point, the executable of
// the process that owns it, mouse capture, cursors and the captured icons;
// and the game's own path and working folder.
#include "shell/win32/win32.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>

#include "capture/arrow.h"

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
typedef BOOL(WINAPI* ProcessWalkFunction)(HANDLE, PROCESSENTRY32*);

// The first module of the process is its executable.
static bool exePathOfProcess(DWORD processId, char path[260])
{
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (modules == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    bool found = Module32First(modules, &module) != 0;
    if (found) {
        std::memcpy(path, module.szExePath, 259);
        path[259] = '\0';
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
        reinterpret_cast<void*>(GetProcAddress(kernel, "Process32First")));
    ProcessWalkFunction next = reinterpret_cast<ProcessWalkFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Process32Next")));
    if (!snapshot || !first || !next)
        return false;
    HANDLE processes = snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    PROCESSENTRY32 entry = {};
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
    HMODULE kernel = LoadLibraryA("Kernel32.DLL");
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
    default: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); break;
    }
}

// The length of the folder part of a path (up to and including its last
// backslash or slash), stepping over double-byte characters so that a second
// byte equal to a backslash never ends the folder.
static size_t folderLength(const char* path)
{
    size_t end = 0;
    size_t i = 0;
    while (path[i]) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1]) {
            i += 2;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/' || (i == 1 && path[i] == ':'))
            end = i + 1;
        ++i;
    }
    return end;
}

int enterOwnFolder()
{
    DWORD length = GetModuleFileNameA(nullptr, ownExePath, sizeof ownExePath);
    if (length == 0 || length >= sizeof ownExePath)
        ownExePath[sizeof ownExePath - 1] = '\0';
    char folder[sizeof ownExePath];
    size_t kept = folderLength(ownExePath);
    std::memcpy(folder, ownExePath, kept);
    folder[kept] = '\0';
    return kept > 0 && SetCurrentDirectoryA(folder) ? 0 : 1;
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
    HICON extracted = ExtractIconA(appInstance, path, 0);
    // 1 means the file is not one that holds icons at all: no icon either.
    bool found = reinterpret_cast<UINT_PTR>(extracted) > 1;
    HICON chosen = found ? extracted : LoadIconA(nullptr, IDI_APPLICATION);
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
