// The file verbs over Win32 file handles, and the current time as a file
// time. Each verb is one or two calls; the rules above them decide.
#include <windows.h>

#include "shell/platform.h"
#include "shell/win32/text.h"

static HANDLE handleOf(FileRef file)
{
    return reinterpret_cast<HANDLE>(file);
}

// Read access for an existing file. ShareRead lets others read it meanwhile
// but not write, so the open fails while another holder has it open for
// writing; ShareNothing lets nobody else in.
FileRef platform::fileOpen(const char* path, FileShare share)
{
    HANDLE file = CreateFileW(widePathOf(path).c_str(), GENERIC_READ, share == ShareRead ? FILE_SHARE_READ : 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return noFile;
    return reinterpret_cast<FileRef>(file);
}

bool platform::fileLastWriteTime(FileRef file, uint64_t* fileTime)
{
    FILETIME lastWrite;
    if (!GetFileTime(handleOf(file), nullptr, nullptr, &lastWrite))
        return false;
    *fileTime = (static_cast<uint64_t>(lastWrite.dwHighDateTime) << 32) | lastWrite.dwLowDateTime;
    return true;
}

// A size whose high part is not zero does not fit in 32 bits.
bool platform::fileSize32(FileRef file, uint32_t* size)
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(handleOf(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    if (high != 0)
        return false;
    *size = low;
    return true;
}

// One read of the whole size from the start. A read that brings fewer bytes
// (the file shrank meanwhile) is asked again for the rest, and fails when
// the file ends before size bytes: a short buffer is never reported whole.
bool platform::fileReadAll(FileRef file, void* buffer, uint32_t size)
{
    HANDLE handle = handleOf(file);
    if (SetFilePointer(handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    unsigned char* at = static_cast<unsigned char*>(buffer);
    uint32_t done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(handle, at + done, size - done, &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

void platform::fileClose(FileRef file)
{
    if (file != noFile)
        CloseHandle(handleOf(file));
}

uint64_t platform::currentFileTime()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}
