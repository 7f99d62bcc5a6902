// What a player on a GNOME Wayland desktop is told, once per run, when the
// White Arrow hits a window that only our GNOME Shell extension can name and
// the extension is not active: how to make it so, with an offer to enable it
// at once when the shell already knows it (after a login since installing).
#include <gio/gio.h>

#include "shell/gtk/gnome_windowat.h"
#include "shell/gtk/native.h"

// A question to GNOME Shell's extension service, with the same bound as the
// White Arrow's own; null when it does not answer so.
static GVariant* askExtensions(GDBusConnection* bus, const char* method, const char* uuid,
                               const char* replyType)
{
    return g_dbus_connection_call_sync(bus, "org.gnome.Shell", "/org/gnome/Shell",
                                       "org.gnome.Shell.Extensions", method, g_variant_new("(s)", uuid),
                                       G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NO_AUTO_START, 1000,
                                       nullptr, nullptr);
}

// The uuid of ours that the shell knows and can run (its metadata lists the
// shell's version), or null. The shell's extension states: 4 out of date,
// 99 uninstalled; an unknown uuid gives no state at all.
static const char* knownExtension(GDBusConnection* bus)
{
    for (const char* uuid : gnomeExtensionUuids) {
        GVariant* reply = askExtensions(bus, "GetExtensionInfo", uuid, "(a{sv})");
        if (!reply)
            continue;
        GVariant* info = g_variant_get_child_value(reply, 0);
        double state = 0;
        bool known = g_variant_lookup(info, "state", "d", &state) && state != 4 && state != 99;
        g_variant_unref(info);
        g_variant_unref(reply);
        if (known)
            return uuid;
    }
    return nullptr;
}

static void tellPlayer()
{
    static bool told = false;
    if (told)
        return;
    told = true;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    const char* uuid = bus ? knownExtension(bus) : nullptr;
    const char* text =
        uuid ? "この窓を射止めるには、ゲームの GNOME Shell 拡張機能「Tavrenne White Arrow」が必要です。\n"
               "今すぐ有効にしますか?(「拡張機能」アプリからも有効にできます)"
             : "この窓を射止めるには、ゲームの GNOME Shell 拡張機能「Tavrenne White Arrow」が必要です。\n"
               "ゲームをインストールしたあと一度ログアウトしてログインし直し、"
               "「拡張機能」アプリでこの拡張機能を有効にしてください。";
    GtkWindow* parent = mainWindow ? GTK_WINDOW(mainWindow) : nullptr;
    GtkWidget* box = gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                            GTK_MESSAGE_OTHER, uuid ? GTK_BUTTONS_NONE : GTK_BUTTONS_OK, "%s",
                                            utf8Of(text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), utf8Of("拡張機能").c_str());
    if (uuid)
        gtk_dialog_add_buttons(GTK_DIALOG(box), utf8Of("有効にする").c_str(), GTK_RESPONSE_ACCEPT,
                               utf8Of("今はしない").c_str(), GTK_RESPONSE_CLOSE, nullptr);
    if (runBox(box) == GTK_RESPONSE_ACCEPT && bus) {
        GVariant* reply = askExtensions(bus, "EnableExtension", uuid, "(b)");
        if (reply)
            g_variant_unref(reply);
    }
    if (bus)
        g_object_unref(bus);
}

void installGnomeAdvice()
{
    setGnomeExtensionMissing(tellPlayer);
}
