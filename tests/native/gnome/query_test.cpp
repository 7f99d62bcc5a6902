// The game's question to GNOME Shell against a stand-in shell of ours on a
// private session bus (run under dbus-run-session): each kind of answer, a
// malformed or late one, and no extension at all (the player is told).
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "shell/gtk/gnome_windowat.h"

namespace {

const char interfaceXml[] =
    "<node><interface name='org.tavrenne.WhiteArrow'><method name='WindowAtPointer'>"
    "<arg type='s' direction='out'/><arg type='u' direction='out'/><arg type='s' direction='out'/>"
    "<arg type='i' direction='out'/><arg type='i' direction='out'/></method></interface></node>";

// org.gnome.Shell on a connection and thread of its own, answering our
// method with REPLY (a GVariant text), after DELAY_MS; with an empty REPLY
// the object is not there, as when the extension is off.
struct StandInShell {
    std::string reply;
    int delayMs = 0;
    GMainContext* context = g_main_context_new();
    std::atomic<bool> done{false};
    GDBusConnection* bus = nullptr;
    guint object = 0;
    std::thread thread;

    explicit StandInShell(std::string text, int delay = 0) : reply(std::move(text)), delayMs(delay)
    {
        g_main_context_push_thread_default(context);
        const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
        bus = g_dbus_connection_new_for_address_sync(
            address, static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                       G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        if (!bus) {
            g_main_context_pop_thread_default(context);
            return;
        }
        GVariant* owned = g_dbus_connection_call_sync(
            bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
            g_variant_new("(su)", "org.gnome.Shell", 4u /* DO_NOT_QUEUE */), G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
        if (owned)
            g_variant_unref(owned);
        if (!reply.empty()) {
            GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(interfaceXml, nullptr);
            static const GDBusInterfaceVTable vtable = {answer, nullptr, nullptr, {}};
            object = g_dbus_connection_register_object(bus, "/org/tavrenne/WhiteArrow", node->interfaces[0],
                                                       &vtable, this, nullptr, nullptr);
            g_dbus_node_info_unref(node);
        }
        g_main_context_pop_thread_default(context);
        thread = std::thread([this] {
            g_main_context_push_thread_default(context);
            while (!done)
                g_main_context_iteration(context, TRUE);
            g_main_context_pop_thread_default(context);
        });
    }

    ~StandInShell()
    {
        done = true;
        g_main_context_wakeup(context);
        if (thread.joinable())
            thread.join();
        if (bus) {
            if (object)
                g_dbus_connection_unregister_object(bus, object);
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_main_context_unref(context);
    }

    // The reply is sent as it is, past GDBus's own check of its type.
    static void answer(GDBusConnection* connection, const char*, const char*, const char*, const char*,
                       GVariant*, GDBusMethodInvocation* invocation, gpointer self)
    {
        auto* shell = static_cast<StandInShell*>(self);
        std::this_thread::sleep_for(std::chrono::milliseconds(shell->delayMs));
        GDBusMessage* reply = g_dbus_message_new_method_reply(g_dbus_method_invocation_get_message(invocation));
        g_dbus_message_set_body(reply, g_variant_new_parsed(shell->reply.c_str()));
        g_dbus_connection_send_message(connection, reply, G_DBUS_SEND_MESSAGE_FLAGS_NONE, nullptr, nullptr);
        g_object_unref(reply);
        g_object_unref(invocation);
    }
};

std::atomic<int> told{0};
void tellPlayer()
{
    ++told;
}

WindowAt askShell(const std::string& reply, int delayMs = 0)
{
    StandInShell shell(reply, delayMs);
    if (!shell.bus)
        ADD_FAILURE() << "no session bus for the stand-in shell: run under dbus-run-session";
    told = 0;
    setGnomeExtensionMissing(tellPlayer);
    return gnomeDesktop.windowAt(10, 20);
}

}  // namespace

TEST(GnomeShellQuery, EachKindOfAnswer)
{
    WindowAt found = askShell("('wayland', uint32 4242, 'org.example.Tool', 10, 20)");
    EXPECT_EQ(found.kind, NativeWindowAt);
    EXPECT_EQ(found.pid, 4242);
    EXPECT_EQ(found.appId, "org.example.Tool");
    EXPECT_EQ(askShell("('none', uint32 0, '', 10, 20)").kind, DesktopAt);
    // A process id beyond pid_t's range names no process.
    found = askShell("('wayland', uint32 4294967295, 'x', 10, 20)");
    EXPECT_EQ(found.kind, NativeWindowAt);
    EXPECT_EQ(found.pid, 0);
    // An X11 window that X does not show at the point (no display here): the
    // shell's process still answers for it.
    found = askShell("('x11', uint32 77, 'xterm', 10, 20)");
    EXPECT_EQ(found.kind, NativeWindowAt);
    EXPECT_EQ(found.pid, 77);
    EXPECT_EQ(told, 0);
}

TEST(GnomeShellQuery, MalformedOrLateAnswersFail)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(askShell("('sideways', uint32 1, '', 10, 20)").kind, LookupFailed);
    EXPECT_EQ(askShell("('wayland', 1, '', 10, 20)").kind, LookupFailed);  // a pid that is no uint32
    EXPECT_EQ(askShell("('wayland',)").kind, LookupFailed);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.9)
        << "a malformed answer was taken for no answer";
    start = std::chrono::steady_clock::now();
    WindowAt late = askShell("('wayland', uint32 5, 'late', 10, 20)", 1500);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(late.kind, LookupFailed);
    EXPECT_LT(seconds, 2.5) << "the game waited for a shell that did not answer in time";
    EXPECT_EQ(told, 0) << "a slow shell is no missing extension";
}

TEST(GnomeShellQuery, WithoutTheExtensionThePlayerIsTold)
{
    WindowAt found = askShell("");
    EXPECT_EQ(found.kind, LookupFailed);
    EXPECT_EQ(told, 1);
}
