// The appraisal tool's console on Linux: UTF-8 output, errno for the reason
// an open failed, and UTF-8 paths turned into the game's Shift_JIS, as the
// native game turns them.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/appraise/console.h"
#include "shell/posix/rule_paths.h"
#include "shell/posix/sjis_text.h"

void writeConsole(const std::string& sjis)
{
    std::string text = sjisToUtf8(sjis);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void writeConsoleError(const std::string& sjis)
{
    std::string text = sjisToUtf8(sjis);
    std::fwrite(text.data(), 1, text.size(), stderr);
}

OpenFailure lastOpenFailure(std::string* detail)
{
    int error = errno;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileNotFound;
    case EACCES:
    case EPERM:
        return NoPermission;
    case EAGAIN:
        return LockedByWriter;
    case EISDIR:
        return NotAPlainFile;
    default:
        *detail = std::strerror(error);
        return OtherOpenFailure;
    }
}

std::vector<std::string> fileArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

// The path as typed is already in the terminal's encoding.
void writePathLine(const std::string& path)
{
    std::fwrite(path.data(), 1, path.size(), stdout);
    std::fputc('\n', stdout);
}

std::string gamePathOf(const char* argument)
{
    return rulePathOf(argument);
}
