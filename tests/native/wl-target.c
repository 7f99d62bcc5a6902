/* A program for the White Arrow to hit as a native Wayland window: one plain
 * GTK window whose app id (the program name GTK gives the compositor) is the
 * one the test names, until the compositor closes it. Run it with
 * GDK_BACKEND=wayland; its portrait comes from the desktop entry the test
 * writes for that app id.
 *
 * Usage: native-wl-target APP_ID */
#include <gtk/gtk.h>

#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s APP_ID\n", argv[0]);
        return 2;
    }
    g_set_prgname(argv[1]);
    if (!gtk_init_check(NULL, NULL)) {
        fprintf(stderr, "%s: no display (GDK_BACKEND=wayland needs WAYLAND_DISPLAY)\n", argv[0]);
        return 1;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), argv[1]);
    gtk_window_set_default_size(GTK_WINDOW(window), 160, 120);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    /* A light blue face, as the X11 target's, easy to tell on a screenshot. */
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "window { background: #A0C8F0; }", -1, NULL);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
    gtk_widget_show(window);
    gtk_main();
    return 0;
}
