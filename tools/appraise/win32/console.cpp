// The appraisal tool's console on Windows: output in the console's code page,
// the last error for the reason an open failed, and paths with backslashes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/appraise/console.h"

// The code page the console shows, or the ANSI code page without a console.
static UINT outputCodePage()
{
    UINT codePage = GetConsoleOutputCP();
    return codePage != 0 ? codePage : GetACP();
}

// Shift_JIS text in the given code page, through UTF-16.
static std::string inCodePage(const std::string& sjis, UINT codePage)
{
    if (codePage == 932 || sjis.empty())
        return sjis;
    int wideLength = MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0], wideLength);
    int length = WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

void writeConsole(const std::string& sjis)
{
    std::string text = inCodePage(sjis, outputCodePage());
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void writeConsoleError(const std::string& sjis)
{
    std::string text = inCodePage(sjis, outputCodePage());
    std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string openFailureReason()
{
    DWORD error = GetLastError();
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "ファイルが見つかりません";
    case ERROR_ACCESS_DENIED:
        return "読む権限がないか、普通のファイルではありません";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "他のプログラムが書き込み中です";
    default: {
        char text[80];
        std::snprintf(text, sizeof text, "開けません (エラー %lu)", static_cast<unsigned long>(error));
        return text;
    }
    }
}

std::string gamePathOf(const char* argument)
{
    std::string path = argument;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
