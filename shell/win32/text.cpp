// Shift_JIS and UTF-16 through the system's own conversions, always with
// code page 932, and the real paths behind the rules' ones.
#include "shell/win32/text.h"

#include <windows.h>

#include <map>

static const UINT shiftJis = 932;

std::wstring wideOf(const char* sjis)
{
    if (!sjis || !*sjis)
        return std::wstring();
    int length = MultiByteToWideChar(shiftJis, 0, sjis, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(shiftJis, 0, sjis, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);  // the NUL
    return wide;
}

std::string sjisOf(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(shiftJis, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                     "?", &usedDefault);
    if (length <= 0)
        return std::string();
    std::string sjis(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(shiftJis, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, &sjis[0], length, "?",
                        &usedDefault);
    sjis.resize(static_cast<size_t>(length) - 1);
    return sjis;
}

static std::map<std::string, std::wstring> widePaths;

std::string rulePathOfWide(const std::wstring& widePath)
{
    std::string rulePath = sjisOf(widePath);
    widePaths[rulePath] = widePath;
    return rulePath;
}

std::wstring widePathOf(const char* rulePath)
{
    auto known = widePaths.find(rulePath ? rulePath : "");
    return known != widePaths.end() ? known->second : wideOf(rulePath);
}
