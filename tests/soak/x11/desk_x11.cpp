// The soak's desk on an X11 desktop with a window manager, for the native
// game: real input through the XTest extension (so it comes to the game as
// a player's would, through the X server and the window manager's focus),
// the game's controls as the AT-SPI watcher reports them, and the checks.
//
// The round trip of the checks is the window manager's own: _NET_WM_PING.
// GDK answers it while it takes the window's X events in, on the game's
// main thread and in whatever loop runs there (the main loop, a pause's
// own iterations, a box's loop), so an answer proves the thread is not
// stuck in a computation, a blocking call or a dead lock, exactly the
// "not responding" of the window manager. The input that waits behind a
// pause is the business of the other checks and of the last one, which
// needs all of it handled.
#include "tests/soak/runner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace soak {
namespace {

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

struct Screen {
    int x;
    int y;
};

class X11Desk : public Desk {
public:
    X11Desk(Display* dpy, Window game, pid_t pid) : dpy_(dpy), game_(game), pid_(pid)
    {
        root_ = DefaultRootWindow(dpy_);
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        XSetErrorHandler(ignoreErrors);
    }

    Window target = 0;
    Window young = 0;
    std::vector<Window> finales;
    int desktopX = 0, desktopY = 0, desktopW = 1, desktopH = 1;
    std::string events;       // the AT-SPI watcher's file
    std::string requests;     // the watcher's request pipe
    std::string sanitizerDir;  // where the sanitizers write their reports
    std::string gameLog;

    void press(Key key) override
    {
        keyTo();
        KeyCode code = keycode(key);
        XTestFakeKeyEvent(dpy_, code, True, 0);
        XTestFakeKeyEvent(dpy_, code, False, 0);
        XSync(dpy_, False);
    }

    void repeat(Key key, int count) override
    {
        keyTo();
        KeyCode code = keycode(key);
        down_.insert(code);
        // A key-down of a key already down is the X server's own repeat.
        for (int i = 0; i < count; ++i) {
            XTestFakeKeyEvent(dpy_, code, True, 0);
            XSync(dpy_, False);
            sleepMilliseconds(2);
        }
        XTestFakeKeyEvent(dpy_, code, False, 0);
        down_.erase(code);
        XSync(dpy_, False);
    }

    void hold(Key key, int milliseconds) override
    {
        keyTo();
        KeyCode code = keycode(key);
        down_.insert(code);
        XTestFakeKeyEvent(dpy_, code, True, 0);
        XSync(dpy_, False);
        sleepMilliseconds(milliseconds);  // the server repeats it meanwhile
        XTestFakeKeyEvent(dpy_, code, False, 0);
        down_.erase(code);
        XSync(dpy_, False);
    }

    void moveTo(const Point& point, bool glide) override
    {
        Screen to = onScreen(point);
        if (glide) {
            Window rootReturn, child;
            int fromX = 0, fromY = 0, x, y;
            unsigned mask;
            XQueryPointer(dpy_, root_, &rootReturn, &child, &fromX, &fromY, &x, &y, &mask);
            for (int step = 1; step < 4; ++step) {
                XTestFakeMotionEvent(dpy_, -1, fromX + (to.x - fromX) * step / 4, fromY + (to.y - fromY) * step / 4, 0);
                XSync(dpy_, False);
                sleepMilliseconds(4);
            }
        }
        XTestFakeMotionEvent(dpy_, -1, to.x, to.y, 0);
        XSync(dpy_, False);
    }

    void button(bool down) override
    {
        XTestFakeButtonEvent(dpy_, 1, down ? True : False, 0);
        buttonDown_ = down;
        XSync(dpy_, False);
    }

    bool answerBox(Answer answer) override
    {
        Window box = openBox();
        if (!box)
            return false;
        activate(box);
        switch (answer) {
        case Answer::Return: pressOn(box, Key::Return); break;
        case Answer::Space: pressOn(box, Key::Space); break;
        case Answer::Escape: pressOn(box, Key::Escape); break;
        case Answer::ClickOk: {
            // A message box's one button spans the width of its bottom row.
            XWindowAttributes size;
            if (!XGetWindowAttributes(dpy_, box, &size))
                return true;
            int x = 0, y = 0;
            Window child;
            XTranslateCoordinates(dpy_, box, root_, size.width / 2, size.height - 18, &x, &y, &child);
            XTestFakeMotionEvent(dpy_, -1, x, y, 0);
            XTestFakeButtonEvent(dpy_, 1, True, 0);
            XSync(dpy_, False);
            sleepMilliseconds(20);
            XTestFakeButtonEvent(dpy_, 1, False, 0);
            XSync(dpy_, False);
            break;
        }
        }
        return true;
    }

    void releaseAll() override
    {
        for (KeyCode code : down_)
            XTestFakeKeyEvent(dpy_, code, False, 0);
        down_.clear();
        if (buttonDown_)
            button(false);
        XSync(dpy_, False);
    }

    std::vector<Observation> observe() override
    {
        readEvents();
        std::vector<Observation> seen;
        seen.swap(pending_);
        return seen;
    }

    std::string text(Field field) override
    {
        readEvents();
        auto known = texts_.find(controlId(field));
        return known == texts_.end() ? "" : known->second;
    }

    // Asked of the watcher, which reads the text through AT-SPI: a call
    // into the game that its main loop answers.
    std::string readBack(Field field, int withinMilliseconds, std::string* text) override
    {
        std::string number = std::to_string(++readBacks_);
        std::string request = "read " + number + " " + controlId(field) + "\n";
        int fd = open(requests.c_str(), O_WRONLY | O_NONBLOCK);
        bool sent = fd >= 0 && write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size());
        if (fd >= 0)
            close(fd);
        if (!sent)
            return "the AT-SPI watcher takes no requests at " + requests;
        long long end = nowMilliseconds() + withinMilliseconds;
        for (;;) {
            readEvents();
            auto answer = answers_.find(number);
            if (answer != answers_.end()) {
                *text = answer->second;
                answers_.erase(answer);
                return "";
            }
            if (nowMilliseconds() >= end)
                return "the AT-SPI watcher read no " + controlId(field) + " from the game within " +
                       std::to_string(withinMilliseconds / 1000) + " s";
            sleepMilliseconds(5);
        }
    }

    bool boxOpen() override
    {
        return openBox() != 0;
    }

    std::string alive() override
    {
        if (kill(pid_, 0) != 0)
            return "the game's process " + std::to_string(pid_) + " has ended";
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string pid, name, state;
        stat >> pid >> name >> state;
        if (state == "Z")
            return "the game's process " + std::to_string(pid_) + " has ended";
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy_, game_, &attributes))
            return "the game's window is gone";
        return "";
    }

    std::string answers(int withinMilliseconds) override
    {
        static long serial = 0x50A00000;
        long stamp = ++serial;
        XEvent ping = {};
        ping.xclient.type = ClientMessage;
        ping.xclient.window = game_;
        ping.xclient.message_type = atom("WM_PROTOCOLS");
        ping.xclient.format = 32;
        ping.xclient.data.l[0] = static_cast<long>(atom("_NET_WM_PING"));
        ping.xclient.data.l[1] = stamp;
        ping.xclient.data.l[2] = static_cast<long>(game_);
        XSendEvent(dpy_, game_, False, NoEventMask, &ping);
        XFlush(dpy_);
        long long end = nowMilliseconds() + withinMilliseconds;
        while (nowMilliseconds() < end) {
            while (XPending(dpy_)) {
                XEvent event;
                XNextEvent(dpy_, &event);
                if (event.type == ClientMessage && event.xclient.message_type == atom("WM_PROTOCOLS") &&
                    static_cast<Atom>(event.xclient.data.l[0]) == atom("_NET_WM_PING") &&
                    event.xclient.data.l[1] == stamp)
                    return "";
            }
            sleepMilliseconds(5);
        }
        return "the game's window did not answer _NET_WM_PING within " + std::to_string(withinMilliseconds / 1000) + " s";
    }

    bool pointerHeld() override
    {
        int result = XGrabPointer(dpy_, root_, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                                  CurrentTime);
        if (result == GrabSuccess)
            XUngrabPointer(dpy_, CurrentTime);
        XSync(dpy_, False);
        return result == AlreadyGrabbed;
    }

    std::string faults() override
    {
        if (DIR* dir = opendir(sanitizerDir.c_str())) {
            std::string found;
            while (dirent* entry = readdir(dir))
                if (entry->d_name[0] != '.')
                    found = sanitizerDir + "/" + entry->d_name;
            closedir(dir);
            if (!found.empty())
                return "a sanitizer report, " + found + ":\n" + firstLines(found, 40);
        }
        std::ifstream log(gameLog);
        std::string line;
        while (std::getline(log, line))
            if (line.find("-CRITICAL **") != std::string::npos || line.find("-WARNING **") != std::string::npos ||
                line.find("runtime error") != std::string::npos)
                return "the game's log reports: " + line;
        return "";
    }

    std::string state() override
    {
        Window rootReturn, child;
        int x = 0, y = 0, wx, wy;
        unsigned mask = 0;
        XQueryPointer(dpy_, root_, &rootReturn, &child, &x, &y, &wx, &wy, &mask);
        return "the pointer at " + std::to_string(x) + "," + std::to_string(y) + " over " + describeWindow(child) +
               "; active " + describeWindow(active()) + (pointerHeld() ? "; the pointer is grabbed" : "; no pointer grab") +
               (openBox() ? "; a box is open" : "; no box open");
    }

private:
    // The watcher's new lines: texts, read-back answers and observations.
    void readEvents()
    {
        std::ifstream file(events);
        file.seekg(eventsRead_);
        std::string line;
        while (std::getline(file, line)) {
            if (file.eof())
                break;  // a line still being written
            eventsRead_ = file.tellg();
            std::string kind = line.substr(0, line.find(' '));
            std::string rest = line.size() > kind.size() + 1 ? line.substr(kind.size() + 1) : "";
            std::string id = rest.substr(0, rest.find(' '));
            std::string text = unescapeLines(rest.size() > id.size() + 1 ? rest.substr(id.size() + 1) : "");
            if (kind == "text") {
                texts_[id] = text;
                if (id == "panel-3")
                    pending_.push_back(Observation{Observation::LogText, text});
            } else if (kind == "read") {
                answers_[id] = text;
            } else if (kind == "box") {
                pending_.push_back(Observation{Observation::BoxOpened, rest});
            } else if (kind == "ending") {
                pending_.push_back(Observation{Observation::Ending, ""});
            }
        }
    }

    static std::string controlId(Field field)
    {
        int id = static_cast<int>(field);
        return (id > 100 ? "control-" : "panel-") + std::to_string(id);
    }

    std::string describeWindow(Window window)
    {
        if (!window)
            return "none";
        if (window == game_)
            return "the game's window";
        char number[32];
        std::snprintf(number, sizeof number, "0x%lx", window);
        return std::string("window ") + number;
    }

    Atom atom(const char* name)
    {
        auto known = atoms_.find(name);
        if (known != atoms_.end())
            return known->second;
        Atom value = XInternAtom(dpy_, name, False);
        atoms_[name] = value;
        return value;
    }

    KeyCode keycode(Key key)
    {
        return XKeysymToKeycode(dpy_, XStringToKeysym(keyName(key)));
    }

    Screen originOf(Window window)
    {
        int x = 0, y = 0;
        Window child;
        XTranslateCoordinates(dpy_, window, root_, 0, 0, &x, &y, &child);
        return Screen{x, y};
    }

    Screen onScreen(const Point& point)
    {
        switch (point.place) {
        case Place::Client: {
            Screen origin = originOf(game_);
            return Screen{origin.x + point.x, origin.y + point.y};
        }
        case Place::Target:
        case Place::Young:
        case Place::Finale: {
            Window window = point.place == Place::Target ? target : point.place == Place::Young ? young
                          : point.which < static_cast<int>(finales.size()) ? finales[point.which] : 0;
            Screen origin = originOf(window);
            return Screen{origin.x + point.x, origin.y + point.y};
        }
        case Place::Desktop:
            return Screen{desktopX + point.x * desktopW / 1000, desktopY + point.y * desktopH / 1000};
        }
        return Screen{0, 0};
    }

    std::vector<unsigned long> windowList(Window window, const char* property)
    {
        std::vector<unsigned long> values;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy_, window, atom(property), 0, 1024, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success && data && format == 32) {
            const unsigned long* cells = reinterpret_cast<const unsigned long*>(data);
            values.assign(cells, cells + count);
        }
        if (data)
            XFree(data);
        return values;
    }

    // The game's box: a managed window transient for the game's.
    Window openBox()
    {
        for (unsigned long client : windowList(root_, "_NET_CLIENT_LIST")) {
            Window owner = 0;
            if (client != game_ && XGetTransientForHint(dpy_, client, &owner) && owner == game_)
                return client;
        }
        return 0;
    }

    Window active()
    {
        std::vector<unsigned long> window = windowList(root_, "_NET_ACTIVE_WINDOW");
        return window.empty() ? 0 : window[0];
    }

    void activate(Window window)
    {
        if (active() == window)
            return;
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(dpy_);
        long long end = nowMilliseconds() + 1000;
        while (active() != window && nowMilliseconds() < end)
            sleepMilliseconds(5);
    }

    // Keys go to the game's window or, when one is open, to its box, as a
    // player's keys go to the window in front.
    void keyTo()
    {
        Window now = active();
        if (now == game_)
            return;
        Window owner = 0;
        if (now && XGetTransientForHint(dpy_, now, &owner) && owner == game_)
            return;
        Window box = openBox();
        activate(box ? box : game_);
    }

    void pressOn(Window box, Key key)
    {
        (void)box;
        KeyCode code = keycode(key);
        XTestFakeKeyEvent(dpy_, code, True, 0);
        XTestFakeKeyEvent(dpy_, code, False, 0);
        XSync(dpy_, False);
    }

    static std::string firstLines(const std::string& path, int count)
    {
        std::ifstream file(path);
        std::string line, text;
        for (int i = 0; i < count && std::getline(file, line); ++i)
            text += "    " + line + "\n";
        return text;
    }

    Display* dpy_;
    Window root_;
    Window game_;
    pid_t pid_;
    std::map<std::string, Atom> atoms_;
    std::set<KeyCode> down_;
    bool buttonDown_ = false;
    std::streamoff eventsRead_ = 0;
    std::map<std::string, std::string> texts_;
    std::vector<Observation> pending_;
    std::map<std::string, std::string> answers_;  // read-back texts by request number
    long readBacks_ = 0;
};

const char usage[] =
    "usage: soak-x11 --game WINDOW PID --target WINDOW --young WINDOW --desktop X Y W H\n"
    "                --events FILE --requests FIFO --sanitizer DIR --log FILE\n"
    "                [--seed N] [--inputs N] [--steps N]\n"
    "                --finale WINDOW LINE STATUS...\n";

unsigned long number(const std::string& text)
{
    return std::strtoul(text.c_str(), nullptr, 0);
}

}  // namespace
}  // namespace soak

int main(int argc, char** argv)
{
    using namespace soak;
    std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::vector<std::string> finales;
    Window game = 0, target = 0, young = 0;
    pid_t pid = 0;
    int desktop[4] = {0, 0, 1, 1};
    std::string events, requests, sanitizer, log;
    for (size_t i = 0; i < args.size();) {
        int used = commonOption(args, i, &options, &finales);
        if (used < 0) {
            std::fputs(usage, stderr);
            return 2;
        }
        if (used > 0) {
            i += static_cast<size_t>(used);
            continue;
        }
        const std::string& name = args[i];
        size_t left = args.size() - i - 1;
        if (name == "--game" && left >= 2) {
            game = number(args[i + 1]);
            pid = static_cast<pid_t>(number(args[i + 2]));
            i += 3;
        } else if ((name == "--target" || name == "--young") && left >= 1) {
            (name == "--target" ? target : young) = number(args[i + 1]);
            i += 2;
        } else if (name == "--desktop" && left >= 4) {
            for (int k = 0; k < 4; ++k)
                desktop[k] = static_cast<int>(number(args[i + 1 + k]));
            i += 5;
        } else if ((name == "--events" || name == "--requests" || name == "--sanitizer" || name == "--log") &&
                   left >= 1) {
            (name == "--events" ? events : name == "--requests" ? requests : name == "--sanitizer" ? sanitizer : log) =
                args[i + 1];
            i += 2;
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (!game || !pid || !target || !young || events.empty() || requests.empty() || finales.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    int eventBase, errorBase, major, minor;
    if (!dpy || !XTestQueryExtension(dpy, &eventBase, &errorBase, &major, &minor)) {
        std::fputs("soak-x11: no X display with the XTest extension\n", stderr);
        return 2;
    }
    X11Desk desk(dpy, game, pid);
    desk.target = target;
    desk.young = young;
    for (const std::string& finale : finales)
        desk.finales.push_back(number(finale));
    desk.desktopX = desktop[0];
    desk.desktopY = desktop[1];
    desk.desktopW = desktop[2];
    desk.desktopH = desktop[3];
    desk.events = events;
    desk.requests = requests;
    desk.sanitizerDir = sanitizer;
    desk.gameLog = log;
    int result = runSoak(desk, options);
    desk.releaseAll();
    XCloseDisplay(dpy);
    return result;
}
