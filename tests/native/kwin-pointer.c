/* The player's mouse on a KWin Wayland session: a client of KWin's fake
 * input protocol, reading commands from its standard input, one a line:
 *   move X Y    the pointer to the compositor's point X,Y
 *   down / up   the left button pressed / released
 * and answering "ok" once KWin has handled it (a round trip), or
 * "error: ..." for a line it cannot read. KWin offers the protocol only to
 * a program whose desktop entry names it (X-KDE-Wayland-Interfaces). */
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fakeInput;

static void globalAdded(void* data, struct wl_registry* registry, uint32_t name,
                        const char* interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3)
        fakeInput = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3);
}

static void globalRemoved(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {globalAdded, globalRemoved};

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "kwin-pointer: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    wl_display_roundtrip(display);
    if (!fakeInput) {
        fprintf(stderr, "kwin-pointer: the compositor offers no org_kde_kwin_fake_input of version 3"
                        " (is the desktop entry in $XDG_DATA_HOME/applications?)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "kwin-pointer", "the tests' mouse");
    setvbuf(stdout, NULL, _IOLBF, 0);

    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        int x, y;
        char rest;
        if (sscanf(line, "move %d %d %c", &x, &y, &rest) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput, wl_fixed_from_int(x),
                                                            wl_fixed_from_int(y));
        } else if (strcmp(line, "down\n") == 0 || strcmp(line, "up\n") == 0) {
            org_kde_kwin_fake_input_button(fakeInput, BTN_LEFT, line[0] == 'd');
        } else {
            printf("error: cannot read the command %s", line);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "kwin-pointer: the connection to the compositor broke\n");
            return 1;
        }
        printf("ok\n");
    }
    org_kde_kwin_fake_input_destroy(fakeInput);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
