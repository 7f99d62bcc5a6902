// The desktop entry of a Wayland app id, for the portrait of a native
// window: such windows carry no icon of their own, their entries name one.
#include <gio/gdesktopappinfo.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "shell/gtk/desktop.h"

static std::string iconOfEntry(GDesktopAppInfo* info)
{
    std::string icon;
    if (!info)
        return icon;
    if (char* value = g_desktop_app_info_get_string(info, "Icon")) {
        icon = value;
        g_free(value);
    }
    g_object_unref(info);
    return icon;
}

static std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string iconNameOfApp(const std::string& appId)
{
    // An app id is a name, not a path: "../x" or "a/b" names no entry of ours.
    if (appId.empty() || appId.find('/') != std::string::npos)
        return std::string();
    std::vector<std::string> names = {appId, lowered(appId)};
    size_t dot = appId.rfind('.');
    if (dot != std::string::npos && dot + 1 < appId.size()) {
        names.push_back(appId.substr(dot + 1));
        names.push_back(lowered(appId.substr(dot + 1)));
    }
    for (const std::string& name : names) {
        std::string icon = iconOfEntry(g_desktop_app_info_new((name + ".desktop").c_str()));
        if (!icon.empty())
            return icon;
    }
    std::string icon;
    GList* all = g_app_info_get_all();
    for (GList* item = all; item && icon.empty(); item = item->next) {
        if (!G_IS_DESKTOP_APP_INFO(item->data))
            continue;
        GDesktopAppInfo* info = G_DESKTOP_APP_INFO(item->data);
        const char* wmClass = g_desktop_app_info_get_startup_wm_class(info);
        if (wmClass && g_ascii_strcasecmp(wmClass, appId.c_str()) == 0)
            icon = iconOfEntry(G_DESKTOP_APP_INFO(g_object_ref(info)));
    }
    g_list_free_full(all, g_object_unref);
    return icon;
}
