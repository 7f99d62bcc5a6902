// The appraisal tool's console on Windows: Japanese on any console, written
// as UTF-16 to a console and as UTF-8 to a file or a pipe, whatever the
// system's code page; the wide command line, so any file name is read; and
// the last error for the reason an open failed.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "shell/win32/text.h"
#include "tools/appraise/console.h"

static std::string utf8Of(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                     0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length,
                            nullptr, nullptr);
    return text;
}

static void writeTo(DWORD which, FILE* stream, const std::string& sjis)
{
    std::wstring wide = wideOf(sjis.c_str());
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string text = utf8Of(wide);
    std::fwrite(text.data(), 1, text.size(), stream);
}

void writeConsole(const std::string& sjis)
{
    writeTo(STD_OUTPUT_HANDLE, stdout, sjis);
}

void writeConsoleError(const std::string& sjis)
{
    writeTo(STD_ERROR_HANDLE, stderr, sjis);
}

std::vector<std::string> fileArguments(int, char**)
{
    std::vector<std::string> files;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return files;
    for (int i = 1; i < count; ++i) {
        std::wstring path = arguments[i];
        for (wchar_t& c : path)
            if (c == L'/')
                c = L'\\';
        files.push_back(rulePathOfWide(path));
    }
    LocalFree(arguments);
    return files;
}

void writePathLine(const std::string& path)
{
    writeConsole(path + "\n");
}

OpenFailure lastOpenFailure(std::string* detail)
{
    DWORD error = GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return FileNotFound;
    case ERROR_ACCESS_DENIED:
        return NoPermission;  // also what a folder gives
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return LockedByWriter;
    default: {
        char text[40];
        std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(error));
        *detail = text;
        return OtherOpenFailure;
    }
    }
}

// Windows has the game's own White Arrow for this.
PickOutcome pickProgramWindow(const std::string&, const std::string&, std::string*)
{
    return PickUnsupported;
}

// The arguments are rule paths already, with backslashes.
std::string gamePathOf(const char* argument)
{
    return argument;
}
