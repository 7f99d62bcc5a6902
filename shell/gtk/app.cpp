// The native program's entry point: one copy only, the working folder, the
// sounds, the random seed, the main window and the message loop.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "capture/arrow.h"
#include "core/random.h"
#include "shell/gtk/native.h"
#include "shell/gtk/windowat.h"
#include "shell/gtk/xdesktop.h"
#include "shell/sound.h"

// The lock that makes this the one copy of the game for this user; it lives
// as long as the process, and the system releases it when the process ends.
static const char lockName[] = "tavrenne.lock";

static std::string lockPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/" + lockName;
    return "/tmp/tavrenne-" + std::to_string(getuid()) + ".lock";
}

enum LockResult { LockTaken, LockHeld, LockFailed };

static LockResult takeLock()
{
    int fd = open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return LockFailed;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        return LockTaken;  // the descriptor stays open: the lock with it
    int error = errno;
    close(fd);
    return error == EWOULDBLOCK ? LockHeld : LockFailed;
}

static bool hasDatFolder(const std::string& folder)
{
    struct stat info;
    return stat((folder + "dat").c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The program's folder becomes the working folder, so that dat/ is found
// beside the program; an installed program (PREFIX/games/tavrenne) finds it
// in PREFIX/share/games/tavrenne instead. ownExePath is the program's path
// as the rules see program paths.
int enterOwnFolder()
{
    char real[4096];
    ssize_t length = readlink("/proc/self/exe", real, sizeof real - 1);
    if (length <= 0)
        return 1;
    real[length] = '\0';
    std::string rulePath = rulePathOf(real);
    std::snprintf(ownExePath, sizeof ownExePath, "%s", rulePath.c_str());
    rememberSystemPath(ownExePath, real);
    std::string folder(real);
    folder.erase(folder.rfind('/') + 1);
    std::string installed = folder + "../share/games/tavrenne/";
    if (!hasDatFolder(folder) && hasDatFolder(installed))
        folder = installed;
    return chdir(folder.c_str()) == 0 ? 0 : 1;
}

// Milliseconds since the system started, as the Windows tick count.
static uint32_t tickCount()
{
    timespec now;
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

int main(int argc, char** argv)
{
    // An X11 client on every desktop, also under Wayland (through XWayland):
    // the White Arrow finds the windows of other X11 clients only.
    gdk_set_allowed_backends("x11");
    g_set_prgname("tavrenne");
    if (!gtk_init_check(&argc, &argv)) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "tavrenne: no X display to show the game on%s%s%s.\n",
                     display ? " (DISPLAY=" : "", display ? display : "", display ? ")" : "");
        return 1;
    }
    // The window class that another copy finds this one by.
    gdk_set_program_class("TAVRENNE");
    switch (takeLock()) {
    case LockTaken:
        break;
    case LockHeld:
        bringFirstCopyForward();
        return 1;
    case LockFailed:
        std::fprintf(stderr, "tavrenne: cannot take the lock %s: %s\n", lockPath().c_str(),
                     std::strerror(errno));
        return 1;
    }
    enterOwnFolder();
    openAudio();
    loadSoundEffects();
    seedRandom(tickCount());
    installMessageLoop();
    installGnomeAdvice();
    loadOwnImages();
    createMainWindow();
    showMainWindow();
    if (sessionDesktop().prepare)
        sessionDesktop().prepare();
    runMessageLoop();
    gtk_widget_destroy(mainWindow);
    mainWindow = nullptr;
    clientArea = nullptr;
    releaseBackBuffer();
    releaseCursors();
    closeAudio();
    return 0;
}
