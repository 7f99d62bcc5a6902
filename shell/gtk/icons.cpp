// The program's own icon (the window's icon and the White Arrow's grab
// icon), and the two captured icons. Programs on Linux carry no icons in
// their files, so a captured icon is the shot window's own icon (for a native
// Wayland window, its desktop entry's), else the icon theme's icon of the
// program's name, else the theme's icon of an executable.
#include <string>

#include "shell/gtk/desktop.h"
#include "shell/gtk/images.h"
#include "shell/gtk/native.h"
#include "shell/gtk/xdesktop.h"

static GdkPixbuf* appIcon = nullptr;
static cairo_surface_t* appIconPicture = nullptr;
static cairo_surface_t* slots[2];  // HeroIcon, SecondIcon

static GdkPixbuf* pixbufOfFile(const unsigned char* bytes, size_t size)
{
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    bool loaded = gdk_pixbuf_loader_write(loader, bytes, size, nullptr);
    loaded = gdk_pixbuf_loader_close(loader, nullptr) && loaded;
    GdkPixbuf* pixbuf = loaded ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf)
        g_object_ref(pixbuf);
    g_object_unref(loader);
    return pixbuf;
}

void loadOwnImages()
{
    appIcon = pixbufOfFile(appIconFile, appIconFileSize);
    if (appIcon)
        appIconPicture = gdk_cairo_surface_create_from_pixbuf(appIcon, 1, nullptr);
}

GdkPixbuf* appIconPixbuf()
{
    return appIcon;
}

cairo_surface_t* iconSurface(Icon icon)
{
    switch (icon) {
    case AppIcon: return appIconPicture;
    case HeroIcon: return slots[0];
    case SecondIcon: return slots[1];
    default: return nullptr;
    }
}

static cairo_surface_t* themeIcon(const std::string& name)
{
    if (name.empty())
        return nullptr;
    GtkIconTheme* theme = gtk_icon_theme_get_default();
    GdkPixbuf* pixbuf = gtk_icon_theme_load_icon(theme, name.c_str(), 32,
                                                 GTK_ICON_LOOKUP_FORCE_SIZE, nullptr);
    if (!pixbuf)
        return nullptr;
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(pixbuf, 1, nullptr);
    g_object_unref(pixbuf);
    return surface;
}

// A desktop entry's Icon=: a path to a picture, or a theme icon's name.
static cairo_surface_t* entryIcon(const std::string& icon)
{
    if (icon.empty() || icon[0] != '/')
        return themeIcon(icon);
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_size(icon.c_str(), 32, 32, nullptr);
    if (!pixbuf)
        return nullptr;
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(pixbuf, 1, nullptr);
    g_object_unref(pixbuf);
    return surface;
}

static std::string fileNameOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void platform::captureIcon(const char* path, Icon icon)
{
    if (icon != HeroIcon && icon != SecondIcon)
        return;
    cairo_surface_t* picture = iconOfWindow(windowOfShotPath(path));
    if (!picture)
        picture = entryIcon(iconNameOfApp(appIdOfShotPath(path)));
    std::string name = fileNameOf(systemPathOf(path));
    if (!picture)
        picture = themeIcon(name);
    size_t dot = name.rfind('.');
    if (!picture && dot != std::string::npos && dot > 0)
        picture = themeIcon(name.substr(0, dot));
    if (!picture)
        picture = themeIcon("application-x-executable");
    if (!picture)
        picture = themeIcon("image-missing");
    cairo_surface_t*& slot = slots[icon == HeroIcon ? 0 : 1];
    if (slot)
        cairo_surface_destroy(slot);
    slot = picture;
}

void platform::destroyCapturedIcons()
{
    for (cairo_surface_t*& slot : slots) {
        if (slot)
            cairo_surface_destroy(slot);
        slot = nullptr;
    }
}
