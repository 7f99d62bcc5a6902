// Whose window is at the pointer on a KDE Plasma Wayland session: KWin alone
// knows, and tells it only to a KWin script. Each question writes a small
// script to a private file, has KWin load and run it, and waits for its
// answer, which the script sends as a D-Bus call to an object the game
// exports on a session-bus connection of its own.
#include "shell/gtk/compositors.h"

#include <gio/gio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

static const char answerPath[] = "/org/tavrenne/WindowAt";
static const char answerInterface[] = "org.tavrenne.WindowAt";
static const char answerIntrospection[] =
    "<node><interface name='org.tavrenne.WindowAt'>"
    "<method name='Answer'><arg type='s' name='answer' direction='in'/></method>"
    "</interface></node>";

// The script, written anew for each question between the lines naming where
// to answer and the question's number. It answers "NUMBER\tdesktop" for the
// background and the shell's own surfaces (plasmashell draws the desktop, its
// panels and popups), "NUMBER\tx11\tPID\tXID" for an Xwayland window,
// "NUMBER\twayland\tPID\tAPPID" for a native one, "NUMBER\terror\tWHY" when
// the script itself failed.
static const char scriptBody[] = R"js(
function answer(text) {
    callDBus(service, path, iface, "Answer", question + "\t" + text);
}
function shown(w) {
    if (w.minimized || w.hidden || w.deleted)
        return false;
    if (!w.onAllDesktops && w.desktop !== workspace.currentDesktop)
        return false;
    var activities = w.activities;
    return !activities || activities.length === 0 ||
        activities.indexOf(workspace.currentActivity) >= 0;
}
function holds(w, p) {
    var g = w.frameGeometry;
    return p.x >= g.x && p.y >= g.y && p.x < g.x + g.width && p.y < g.y + g.height;
}
function topmostAt(p) {
    if (typeof workspace.windowAt === "function") {
        var found = workspace.windowAt(p, 1);
        return found.length > 0 ? found[0] : null;
    }
    var all = workspace.clientList();
    var top = null;
    for (var i = 0; i < all.length; i++) {
        var w = all[i];
        if (shown(w) && holds(w, p) && (!top || w.stackingOrder > top.stackingOrder))
            top = w;
    }
    return top;
}
function theShells(w) {
    return w.desktopWindow || w.resourceClass === "plasmashell" ||
        w.desktopFileName === "org.kde.plasmashell";
}
try {
    var top = topmostAt(workspace.cursorPos);
    if (!top || theShells(top))
        answer("desktop");
    else if (typeof top.windowId === "number" && top.windowId > 0)
        answer("x11\t" + top.pid + "\t" + top.windowId);
    else
        answer("wayland\t" + top.pid + "\t" + (top.desktopFileName || top.resourceClass || ""));
} catch (e) {
    answer("error\t" + e);
}
)js";

// The game's own connection to the session bus, its callbacks dispatched
// only on a main context of its own, which runs only while a question
// waits: nothing of GTK's (input, timers, painting) runs meanwhile.
static GMainContext* context;
static GDBusConnection* bus;
static std::string linkError;  // why the connection cannot be made: then for the whole run
static std::string kwinOwner;  // KWin's unique name: only it may answer
static unsigned long question;
static bool answered;
static std::string answerText;

static void takeAnswer(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                       const gchar* method, GVariant* parameters, GDBusMethodInvocation* invocation,
                       gpointer)
{
    if (std::strcmp(method, "Answer") == 0 && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(s)")) &&
        sender && kwinOwner == sender) {
        const gchar* text = nullptr;
        g_variant_get(parameters, "(&s)", &text);
        std::string prefix = std::to_string(question) + "\t";
        if (!answered && std::strncmp(text, prefix.c_str(), prefix.size()) == 0) {
            answerText = text + prefix.size();
            answered = true;
        }
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

static const GDBusInterfaceVTable answerTable = {takeAnswer, nullptr, nullptr, {}};

// "WHAT: the error's message", the error freed.
static std::string failure(const char* what, GError* error)
{
    std::string text = what;
    if (error) {
        text += std::string(": ") + error->message;
        g_error_free(error);
    }
    return text;
}

// Connects at start-up or at the first question, and again when the bus
// closed the connection; when connecting fails, every question of the run
// fails the same way.
static bool linkUp(std::string* why)
{
    if (bus && g_dbus_connection_is_closed(bus)) {
        g_object_unref(bus);
        bus = nullptr;
    }
    if (bus || !linkError.empty()) {
        *why = linkError;
        return bus != nullptr;
    }
    GError* error = nullptr;
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!address) {
        *why = linkError = failure("no session bus", error);
        return false;
    }
    if (!context)
        context = g_main_context_new();
    g_main_context_push_thread_default(context);
    bus = g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    g_free(address);
    guint registration = 0;
    if (bus) {
        g_dbus_connection_set_exit_on_close(bus, FALSE);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(answerIntrospection, nullptr);
        registration = g_dbus_connection_register_object(bus, answerPath, node->interfaces[0],
                                                         &answerTable, nullptr, nullptr, &error);
        g_dbus_node_info_unref(node);
    }
    g_main_context_pop_thread_default(context);
    if (!bus || registration == 0) {
        *why = linkError = failure("cannot export the object KWin's script answers to", error);
        if (bus)
            g_object_unref(bus);
        bus = nullptr;
        return false;
    }
    return true;
}

static int msLeft(gint64 deadline)
{
    gint64 left = (deadline - g_get_monotonic_time()) / 1000;
    return left > 1 ? static_cast<int>(left) : 1;
}

// A method call to KWin that waits for its reply until the deadline at most.
static GVariant* callKwin(const char* path, const char* interface, const char* method,
                          GVariant* parameters, const char* replyType, gint64 deadline,
                          GError** error)
{
    return g_dbus_connection_call_sync(bus, "org.kde.KWin", path, interface, method, parameters,
                                       replyType ? G_VARIANT_TYPE(replyType) : nullptr,
                                       G_DBUS_CALL_FLAGS_NO_AUTO_START, msLeft(deadline), nullptr,
                                       error);
}

// KWin's unique name on the bus, asked at every question (KWin may have
// been restarted since the last).
static bool findKwin(gint64 deadline, std::string* why)
{
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
        g_variant_new("(s)", "org.kde.KWin"), G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE,
        msLeft(deadline), nullptr, &error);
    if (!reply) {
        *why = failure("KWin is not on the session bus", error);
        return false;
    }
    const gchar* owner = nullptr;
    g_variant_get(reply, "(&s)", &owner);
    kwinOwner = owner;
    g_variant_unref(reply);
    return true;
}

// The script of this question in a file only we can read; its path, or
// empty when it cannot be written.
static std::string writeScript(std::string* why)
{
    const char* unique = g_dbus_connection_get_unique_name(bus);
    if (!unique || std::strspn(unique, ":.0123456789") != std::strlen(unique)) {
        *why = "an unexpected name on the session bus";
        return {};
    }
    std::string text = "var service = \"" + std::string(unique) + "\";\nvar path = \"" + answerPath +
                       "\";\nvar iface = \"" + answerInterface + "\";\nvar question = \"" +
                       std::to_string(question) + "\";\n" + scriptBody;
    GError* error = nullptr;
    gchar* name = nullptr;
    int fd = g_file_open_tmp("tavrenne-windowat-XXXXXX.js", &name, &error);
    if (fd < 0) {
        *why = failure("cannot write KWin's script", error);
        return {};
    }
    std::string path = name;
    g_free(name);
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    close(fd);
    if (written != text.size()) {
        unlink(path.c_str());
        *why = "cannot write KWin's script to " + path;
        return {};
    }
    return path;
}

// Runs the loaded script ID: its object is /ID on KWin 5, /Scripting/ScriptID
// on KWin 6. The one that answered is tried first next time.
static bool runScript(int id, gint64 deadline, std::string* why)
{
    static int firstTried = 0;
    std::string paths[2] = {"/" + std::to_string(id), "/Scripting/Script" + std::to_string(id)};
    for (int i = 0; i < 2; ++i) {
        int which = (firstTried + i) % 2;
        GError* error = nullptr;
        GVariant* reply = callKwin(paths[which].c_str(), "org.kde.kwin.Script", "run", nullptr,
                                   nullptr, deadline, &error);
        if (reply) {
            g_variant_unref(reply);
            firstTried = which;
            return true;
        }
        bool elsewhere = g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_OBJECT) ||
                         g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD) ||
                         g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_INTERFACE);
        if (!elsewhere || i == 1) {
            *why = failure("KWin did not run the script", error);
            return false;
        }
        g_error_free(error);
    }
    return false;
}

// Wakes the private context at the deadline: a source ready from then on.
// (A timeout source counts from the context's own idea of the time, which
// may be older than now, and could fire before the deadline.)
static gboolean stayReady(GSource*, GSourceFunc, gpointer)
{
    return G_SOURCE_CONTINUE;
}

static GSourceFuncs deadlineFuncs = {nullptr, nullptr, stayReady, nullptr, nullptr, nullptr};

// Iterates the private context until the answer came or the deadline passed.
static bool waitForAnswer(gint64 deadline, std::string* why)
{
    GSource* wake = g_source_new(&deadlineFuncs, sizeof(GSource));
    g_source_set_ready_time(wake, deadline);
    g_source_attach(wake, context);
    g_main_context_push_thread_default(context);
    while (!answered && g_get_monotonic_time() < deadline)
        g_main_context_iteration(context, TRUE);
    g_main_context_pop_thread_default(context);
    g_source_destroy(wake);
    g_source_unref(wake);
    if (!answered)
        *why = "KWin's script did not answer in time";
    return answered;
}

// A whole decimal number of the answer, within 0..limit.
static bool numberOf(const std::string& text, unsigned long long limit, unsigned long long* value)
{
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long long number = std::strtoull(text.c_str(), nullptr, 10);
    if (number > limit)
        return false;
    *value = number;
    return true;
}

WindowAt kwinScriptAnswer(const std::string& text)
{
    WindowAt at;
    at.why = "KWin's script answered \"" + text.substr(0, 80) + "\"";
    size_t first = text.find('\t');
    std::string kind = text.substr(0, first);
    if (kind == "desktop" && first == std::string::npos) {
        at.kind = DesktopAt;
        at.why.clear();
        return at;
    }
    if (first == std::string::npos || (kind != "x11" && kind != "wayland"))
        return at;
    size_t second = text.find('\t', first + 1);
    if (second == std::string::npos)
        return at;
    unsigned long long pid = 0;
    if (!numberOf(text.substr(first + 1, second - first - 1), INT_MAX, &pid))
        return at;
    std::string rest = text.substr(second + 1);
    if (kind == "x11") {
        unsigned long long window = 0;
        if (!numberOf(rest, UINT32_MAX, &window) || window == 0)
            return at;
        at.kind = X11WindowAt;
        at.xWindow = static_cast<unsigned long>(window);
    } else {
        if (rest.size() > 255 || rest.find_first_of("\t\n") != std::string::npos)
            return at;
        at.kind = NativeWindowAt;
        at.appId = rest;
    }
    at.pid = static_cast<pid_t>(pid);
    at.why.clear();
    return at;
}

void kwinPrepare()
{
    std::string why;
    linkUp(&why);
}

WindowAt kwinAnswer(int timeoutMs)
{
    WindowAt failed;
    if (!linkUp(&failed.why))
        return failed;
    gint64 deadline = g_get_monotonic_time() + gint64{timeoutMs} * 1000;
    if (!findKwin(deadline, &failed.why))
        return failed;
    ++question;
    answered = false;
    answerText.clear();
    std::string file = writeScript(&failed.why);
    if (file.empty())
        return failed;
    std::string plugin = "tavrenne-windowat-" + std::to_string(getpid()) + "-" + std::to_string(question);
    GError* error = nullptr;
    GVariant* loaded = callKwin("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                                g_variant_new("(ss)", file.c_str(), plugin.c_str()), "(i)", deadline,
                                &error);
    bool ran = false;
    if (!loaded) {
        failed.why = failure("KWin did not load the script", error);
    } else {
        gint32 id = -1;
        g_variant_get(loaded, "(i)", &id);
        g_variant_unref(loaded);
        if (id < 0)
            failed.why = "KWin refused the script";
        else
            ran = runScript(id, deadline, &failed.why) && waitForAnswer(deadline, &failed.why);
        // Not waited for: the answer is in, or it is too late for one.
        g_dbus_connection_call(bus, "org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
                               "unloadScript", g_variant_new("(s)", plugin.c_str()), nullptr,
                               G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr, nullptr, nullptr);
    }
    unlink(file.c_str());
    if (!ran)
        return failed;
    WindowAt at = kwinScriptAnswer(answerText);
    // The game's own windows are X11 ones: a KWin that cannot tell them
    // apart leaves them to the X server.
    if (at.kind == NativeWindowAt && at.pid == getpid()) {
        at.kind = X11WindowAt;
        at.xWindow = 0;
    }
    return at;
}
