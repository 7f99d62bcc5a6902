// KWin's answers: how the game reads what its script says, and the exchange
// over a private session bus with a stand-in KWin that loads and "runs" the
// script (reading where to answer from it, as the script would) and answers
// rightly, late, from elsewhere, or not at all.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "shell/gtk/compositors.h"

TEST(KwinScriptAnswer, ReadsTheThreeAnswersAndNothingElse)
{
    WindowAt at = kwinScriptAnswer("desktop");
    EXPECT_EQ(at.kind, DesktopAt);
    at = kwinScriptAnswer("x11\t4242\t4194316");
    EXPECT_EQ(at.kind, X11WindowAt);
    EXPECT_EQ(at.xWindow, 4194316u);
    EXPECT_EQ(at.pid, 4242);
    at = kwinScriptAnswer("wayland\t77\torg.freedesktop.weston.wayland-terminal");
    EXPECT_EQ(at.kind, NativeWindowAt);
    EXPECT_EQ(at.pid, 77);
    EXPECT_EQ(at.appId, "org.freedesktop.weston.wayland-terminal");
    at = kwinScriptAnswer("wayland\t0\t");  // a window of no known process or app id
    EXPECT_EQ(at.kind, NativeWindowAt);
    EXPECT_EQ(at.appId, "");

    const char* nonsense[] = {
        "", "desktop\t", "Desktop", "x11", "x11\t42", "x11\t42\t0", "x11\t-1\t5", "x11\t42\t-5",
        "x11\t42\t4294967296", "x11\t2147483648\t5", "x11\t99999999999999999999999\t5",
        "x11\t42\t5 ", "wayland\t42", "wayland\tabc\tx", "wayland\t\tx", "wayland\t1\ta\tb",
        "wayland\t1\ta\nb", "error\tReferenceError: workspace is not defined", "window\t1\t2",
    };
    for (const char* text : nonsense) {
        at = kwinScriptAnswer(text);
        EXPECT_EQ(at.kind, LookupFailed) << "\"" << text << "\"";
        EXPECT_FALSE(at.why.empty()) << "\"" << text << "\"";
    }
    EXPECT_EQ(kwinScriptAnswer("wayland\t1\t" + std::string(300, 'a')).kind, LookupFailed);
}

// A stand-in KWin on the session bus, served from a thread of its own.
struct KwinStandIn {
    enum Behaviour { Answers, AnswersAsPlasma6, AnswersLate, AnswersFromElsewhere, Silent };
    Behaviour behaviour = Answers;
    std::string answer;  // what the script says after the question's number

    explicit KwinStandIn(Behaviour b, std::string text = "") : behaviour(b), answer(std::move(text))
    {
        context = g_main_context_new();
        loop = g_main_loop_new(context, FALSE);
        thread = std::thread([this] { serve(); });
        std::unique_lock<std::mutex> lock(mutex);
        ready.wait(lock, [this] { return up; });
    }
    ~KwinStandIn()
    {
        g_main_loop_quit(loop);
        thread.join();
        g_main_loop_unref(loop);
        g_main_context_unref(context);
    }

private:
    GMainContext* context;
    GMainLoop* loop;
    GDBusConnection* bus = nullptr;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable ready;
    bool up = false;
    std::string service, question;

    // The script's own lines naming where to answer and the question.
    void readScript(const char* path)
    {
        std::ifstream file(path);
        std::string line;
        while (std::getline(file, line)) {
            std::string* into = line.rfind("var service = ", 0) == 0    ? &service
                                 : line.rfind("var question = ", 0) == 0 ? &question
                                                                          : nullptr;
            size_t open = line.find('"');
            if (into && open != std::string::npos)
                *into = line.substr(open + 1, line.rfind('"') - open - 1);
        }
    }

    void sendAnswer(GDBusConnection* from, const std::string& number)
    {
        g_dbus_connection_call(from, service.c_str(), "/org/tavrenne/WindowAt", "org.tavrenne.WindowAt",
                               "Answer", g_variant_new("(s)", (number + "\t" + answer).c_str()),
                               nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
    }

    static GDBusConnection* connect()
    {
        return g_dbus_connection_new_for_address_sync(
            g_getenv("DBUS_SESSION_BUS_ADDRESS"),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
    }

    static void called(GDBusConnection* connection, const gchar*, const gchar*, const gchar*,
                       const gchar* method, GVariant* parameters, GDBusMethodInvocation* invocation,
                       gpointer data)
    {
        auto* self = static_cast<KwinStandIn*>(data);
        if (std::strcmp(method, "loadScript") == 0) {
            const gchar* file = nullptr;
            const gchar* plugin = nullptr;
            g_variant_get(parameters, "(&s&s)", &file, &plugin);
            self->readScript(file);
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(i)", 3));
        } else if (std::strcmp(method, "unloadScript") == 0) {
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", TRUE));
        } else {  // run
            switch (self->behaviour) {
            case Answers:
            case AnswersAsPlasma6:
                self->sendAnswer(connection, self->question);
                break;
            case AnswersLate:  // the answer to the question before
                self->sendAnswer(connection, std::to_string(std::stoul(self->question) - 1));
                break;
            case AnswersFromElsewhere: {
                GDBusConnection* other = connect();
                self->sendAnswer(other, self->question);
                g_dbus_connection_flush_sync(other, nullptr, nullptr);
                g_object_unref(other);
                break;
            }
            case Silent:
                break;
            }
            g_dbus_method_invocation_return_value(invocation, nullptr);
        }
    }

    void serve()
    {
        static const char xml[] =
            "<node><interface name='org.kde.kwin.Scripting'>"
            "<method name='loadScript'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
            "<arg type='i' direction='out'/></method>"
            "<method name='unloadScript'><arg type='s' direction='in'/><arg type='b' direction='out'/></method>"
            "</interface><interface name='org.kde.kwin.Script'><method name='run'/></interface></node>";
        g_main_context_push_thread_default(context);
        bus = connect();
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(xml, nullptr);
        static const GDBusInterfaceVTable table = {called, nullptr, nullptr, {}};
        g_dbus_connection_register_object(bus, "/Scripting", node->interfaces[0], &table, this,
                                          nullptr, nullptr);
        g_dbus_connection_register_object(
            bus, behaviour == AnswersAsPlasma6 ? "/Scripting/Script3" : "/3", node->interfaces[1],
            &table, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
        GVariant* owned = g_dbus_connection_call_sync(
            bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "RequestName", g_variant_new("(su)", "org.kde.KWin", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE,
            -1, nullptr, nullptr);
        if (owned)
            g_variant_unref(owned);
        {
            std::lock_guard<std::mutex> lock(mutex);
            up = true;
        }
        ready.notify_one();
        g_main_loop_run(loop);
        g_dbus_connection_close_sync(bus, nullptr, nullptr);
        g_object_unref(bus);
        g_main_context_pop_thread_default(context);
    }
};

TEST(KwinExchange, OnlyTheAnswerOfKwinsScriptToThisQuestionCounts)
{
    GTestDBus* testBus = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(testBus);

    WindowAt at = kwinAnswer(300);
    EXPECT_EQ(at.kind, LookupFailed);
    EXPECT_NE(at.why.find("not on the session bus"), std::string::npos) << at.why;

    {
        KwinStandIn kwin(KwinStandIn::Answers, "wayland\t4321\torg.example.Editor");
        at = kwinAnswer(1000);
        EXPECT_EQ(at.kind, NativeWindowAt) << at.why;
        EXPECT_EQ(at.pid, 4321);
        EXPECT_EQ(at.appId, "org.example.Editor");
    }
    {
        KwinStandIn kwin(KwinStandIn::AnswersAsPlasma6, "x11\t99\t12345");
        at = kwinAnswer(1000);
        EXPECT_EQ(at.kind, X11WindowAt) << at.why;
        EXPECT_EQ(at.xWindow, 12345u);
        at = kwinAnswer(1000);  // the path that answered is tried first
        EXPECT_EQ(at.kind, X11WindowAt) << at.why;
    }
    // Answers that must not count, and none at all: the failure, in the
    // time given and not much later.
    const KwinStandIn::Behaviour wrong[] = {KwinStandIn::AnswersLate, KwinStandIn::AnswersFromElsewhere,
                                            KwinStandIn::Silent};
    for (KwinStandIn::Behaviour behaviour : wrong) {
        KwinStandIn kwin(behaviour, "wayland\t4321\torg.example.Editor");
        gint64 start = g_get_monotonic_time();
        at = kwinAnswer(300);
        gint64 took = (g_get_monotonic_time() - start) / 1000;
        EXPECT_EQ(at.kind, LookupFailed) << "behaviour " << behaviour;
        EXPECT_NE(at.why.find("did not answer"), std::string::npos) << at.why;
        EXPECT_GE(took, 250) << "behaviour " << behaviour;
        EXPECT_LT(took, 800) << "behaviour " << behaviour;
    }
    {
        KwinStandIn kwin(KwinStandIn::Answers, "error\tTypeError: workspace.clientList is not a function");
        at = kwinAnswer(1000);
        EXPECT_EQ(at.kind, LookupFailed);
        EXPECT_NE(at.why.find("TypeError"), std::string::npos) << at.why;
    }
    g_test_dbus_down(testBus);
    g_object_unref(testBus);
}
