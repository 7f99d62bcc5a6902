// The program behind a window: its process (from the X server, or from the
// compositor), then the file the process runs.
#include <sys/stat.h>
#include <unistd.h>

#include "shell/gtk/desktop.h"
#include "shell/gtk/xdesktop.h"

// /proc names the program even after its file was deleted or replaced, so
// the file at that path must still be the one the process runs; a process
// of another user's cannot be looked into at all.
static bool fileOfProcess(pid_t pid, std::string* path)
{
    std::string link = "/proc/" + std::to_string(pid) + "/exe";
    char target[4096];
    ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return false;
    target[length] = '\0';
    struct stat running;
    struct stat named;
    if (stat(link.c_str(), &running) != 0 || stat(target, &named) != 0 ||
        running.st_dev != named.st_dev || running.st_ino != named.st_ino)
        return false;
    *path = target;
    return true;
}

ProgramLookup programOfWindow(unsigned long window, std::string* systemPath)
{
    pid_t pid = 0;
    if (!processOfWindow(window, &pid))
        return NoProcess;
    return programOfProcess(pid, systemPath);
}

ProgramLookup programOfProcess(pid_t pid, std::string* systemPath)
{
    if (pid <= 0)
        return NoProcess;
    return fileOfProcess(pid, systemPath) ? ProgramFound : ProgramUnreadable;
}
