// The start of the native edition against the Windows program under Wine,
// side by side in one run: from starting the process to the first painted
// window (the White Arrow's grab icon on screen), then the window is closed
// as a player closes it. Runs on the X display in DISPLAY, with a window
// manager; the Wine side needs WINEPREFIX set up and its server running.
//   startup_bench --native PATH/tavrenne --windows PATH/Tavrenne.exe [benchmark flags]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

std::string nativeGame;
std::string windowsGame;
Display* display = nullptr;

using Clock = std::chrono::steady_clock;

bool hasGameClass(Window window)
{
    XClassHint hint = {nullptr, nullptr};
    if (!XGetClassHint(display, window, &hint))
        return false;
    bool game = hint.res_class && (std::strcmp(hint.res_class, "TAVRENNE") == 0 ||
                                   std::strcmp(hint.res_name, "tavrenne.exe") == 0);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return game;
}

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;  // windows come and go while we look
}

// The game's viewable client window below this one, or 0.
Window findGame(Window window, int depth)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        if (attributes.width >= 200 && attributes.height >= 300 && hasGameClass(children[i]))
            found = children[i];
        else if (depth < 3)
            found = findGame(children[i], depth + 1);
    }
    if (children)
        XFree(children);
    return found;
}

// The grab icon's shaft at client (64, 70) is pure white once painted.
bool grabIconShown(Window window)
{
    XImage* image = XGetImage(display, window, 64, 70, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return (pixel & 0xffffff) == 0xffffff;
}

void closeWindow(Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// One start: the seconds to the first painted window, or a negative number
// when it did not come within 60 s.
double startOnce(const std::vector<std::string>& command)
{
    std::vector<char*> args;
    for (const std::string& arg : command)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    double seconds = -1;
    Window game = 0;
    while (Clock::now() - start < std::chrono::seconds(60)) {
        if (!game)
            game = findGame(DefaultRootWindow(display), 0);
        if (game && grabIconShown(game)) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (game)
        closeWindow(game);
    for (int i = 0; i < 200; ++i) {  // up to 10 s for it to close
        if (waitpid(child, nullptr, WNOHANG) == child)
            return seconds;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return seconds;
}

void run(benchmark::State& state, const std::vector<std::string>& command)
{
    for (auto _ : state) {
        double seconds = startOnce(command);
        if (seconds < 0) {
            state.SkipWithError("no painted window within 60 s");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartNative(benchmark::State& state)
{
    run(state, {nativeGame});
}

void BM_StartWindowsUnderWine(benchmark::State& state)
{
    run(state, {"wine", windowsGame});
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--native") == 0 && i + 1 < argc)
            nativeGame = argv[++i];
        else if (std::strcmp(argv[i], "--windows") == 0 && i + 1 < argc)
            windowsGame = argv[++i];
        else
            rest.push_back(argv[i]);
    }
    display = XOpenDisplay(nullptr);
    if (!display || nativeGame.empty() || windowsGame.empty()) {
        std::fprintf(stderr, "usage: startup_bench --native PATH --windows PATH.exe (needs DISPLAY)\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    // One after the other in one run, on the same display and machine.
    benchmark::RegisterBenchmark("StartNative", BM_StartNative)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartWindowsUnderWine", BM_StartWindowsUnderWine)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    XCloseDisplay(display);
    return 0;
}
