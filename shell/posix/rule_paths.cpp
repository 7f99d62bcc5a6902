// The rules' Shift_JIS paths with backslashes, and the system's own paths.
#include "shell/posix/rule_paths.h"

#include <map>

#include "shell/posix/sjis_text.h"

static std::map<std::string, std::string> systemPaths;

std::string rulePathOf(const std::string& systemPath)
{
    // A Shift_JIS trail byte is never a slash, so every slash is a folder's.
    std::string path = utf8ToSjisLossy(systemPath);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void rememberSystemPath(const std::string& rulePath, const std::string& systemPath)
{
    systemPaths[rulePath] = systemPath;
}

// A Shift_JIS trail byte can equal a backslash, so the folders are told
// apart character by character.
static std::string slashedUtf8(const char* rulePath)
{
    std::string sjis = rulePath;
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(sjis[i]);
        if ((byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc))
            ++i;
        else if (byte == '\\')
            sjis[i] = '/';
    }
    return sjisToUtf8(sjis);
}

std::string systemPathOf(const char* rulePath)
{
    auto known = systemPaths.find(rulePath);
    return known != systemPaths.end() ? known->second : slashedUtf8(rulePath);
}
