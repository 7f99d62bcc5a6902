// The time from the release to the answer to "whose window is at this
// point": the session's own query (a compositor's, where the game knows
// how to ask it) against the X server's lookup, median of 20 each, at the
// screen points given. Run inside a session (bench/run-windowat-bench).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "shell/gtk/desktop.h"
#include "shell/gtk/windowat.h"

static const char* kindName(WindowAtKind kind)
{
    switch (kind) {
    case DesktopAt: return "the desktop";
    case X11WindowAt: return "an X11 window";
    case NativeWindowAt: return "a native window";
    default: return "no answer";
    }
}

// The median time of 20 questions in milliseconds; the last answer in *last.
static double medianMs(const DesktopQuery& query, int x, int y, WindowAt* last)
{
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        auto start = std::chrono::steady_clock::now();
        *last = query.windowAt(x, y);
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    return (times[9] + times[10]) / 2;
}

int main(int argc, char** argv)
{
    if (!openToolDesktop() || argc < 2) {
        std::fprintf(stderr, "usage: windowat_bench X,Y... (on an X display)\n");
        return 2;
    }
    const DesktopQuery& session = sessionDesktop();
    SessionEnv env = sessionEnvOfProcess();
    env.swaySocket = env.hyprlandSignature = env.currentDesktop = nullptr;
    const DesktopQuery& x11 = desktopForSession(env);  // X11, or Xwayland in a Wayland session
    if (session.prepare)
        session.prepare();
    for (int i = 1; i < argc; ++i) {
        int x = 0;
        int y = 0;
        if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2) {
            std::fprintf(stderr, "windowat_bench: %s is no point X,Y\n", argv[i]);
            return 2;
        }
        WindowAt sessionAnswer;
        WindowAt x11Answer;
        double sessionMs = medianMs(session, x, y, &sessionAnswer);
        double x11Ms = medianMs(x11, x, y, &x11Answer);
        std::printf("%4d,%-4d %-11s %6.2f ms (%s)   %-8s %6.2f ms (%s)\n", x, y, session.name, sessionMs,
                    kindName(sessionAnswer.kind), x11.name, x11Ms, kindName(x11Answer.kind));
    }
    return 0;
}
