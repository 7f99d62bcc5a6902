// The White Arrow's window verbs: the window under a point, the executable of
// the process that owns it, mouse capture and cursors; and the game's own
// path and working folder.
#include "shell/win32/win32.h"

#include <tlhelp32.h>

#include <cstring>

#include "capture/arrow.h"

WindowRef windowAtClientPoint(int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(mainWindow, &point);
    return reinterpret_cast<WindowRef>(WindowFromPoint(point));
}

bool isMainWindow(WindowRef window)
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

bool exePathOfWindow(WindowRef window, char path[260])
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

void captureMouse()
{
    SetCapture(mainWindow);
}

void releaseMouse()
{
    ReleaseCapture();
}

void setCursorShape(CursorShape cursor)
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
