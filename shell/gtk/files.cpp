// fileOpen for the native game: the rules name a file by its rule path
// (Shift_JIS, backslashes); the file read is the one at the system path
// behind it.
#include "shell/posix/files.h"
#include "shell/posix/rule_paths.h"

FileRef platform::fileOpen(const char* path, FileShare)
{
    std::string real = systemPathOf(path);
    return openRegularFile(real.c_str());
}
