// fileOpen for the native tools and tests: the path is the file's own.
#include "shell/posix/files.h"

FileRef platform::fileOpen(const char* path, FileShare)
{
    return openRegularFile(path);
}
