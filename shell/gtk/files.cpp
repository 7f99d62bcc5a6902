// Paths between the rules and the system. The rules see every path as
// Shift_JIS with backslashes, as on Windows, so the name rules and the
// comparison with the game's own path hold; the system sees UTF-8 with
// slashes. A program's path that has characters without a Shift_JIS form
// cannot be turned back, so the real path the White Arrow found is kept
// beside the rules' one and fileOpen reads the real file.
#include <map>

#include "shell/gtk/native.h"
#include "shell/posix/files.h"
#include "shell/posix/sjis_text.h"

// The real paths behind the rules' paths of the programs shot in this run.
static std::map<std::string, std::string> realPaths;

std::string rulePathOf(const std::string& realPath)
{
    std::string path = utf8ToSjisLossy(realPath);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void rememberRealPath(const std::string& rulePath, const std::string& realPath)
{
    realPaths[rulePath] = realPath;
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

std::string realPathOf(const char* rulePath)
{
    auto known = realPaths.find(rulePath);
    if (known != realPaths.end())
        return known->second;
    return slashedUtf8(rulePath);
}

FileRef platform::fileOpen(const char* path, FileShare)
{
    std::string real = realPathOf(path);
    return openRegularFile(real.c_str());
}
