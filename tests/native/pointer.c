/* The player's mouse on a wlroots compositor (sway): a virtual pointer of the
 * compositor's default seat, driven by commands read line by line from stdin.
 *
 * Usage: native-pointer [WIDTH HEIGHT]   (the layout's size, default 1024 768)
 * Commands, in layout coordinates:
 *   move X Y                 the pointer goes to X,Y
 *   down / up                the left button is pressed / released
 *   drag X1 Y1 X2 Y2         move to X1,Y1, press, eight motions on the way
 *                            to X2,Y2, release
 * Each command is answered with one line once the compositor has taken it
 * (a round trip): "ok", or "error: ..." for a command it could not run.
 * The button is released at the end of the input if it is still down. */
#include "virtual-pointer-client.h"

#include <wayland-client.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { BUTTON_LEFT = 0x110 /* BTN_LEFT of linux/input-event-codes.h */ };

static struct zwlr_virtual_pointer_manager_v1* manager;
static struct zwlr_virtual_pointer_v1* pointer;
static unsigned width = 1024, height = 768;
static int buttonDown;

static void onGlobal(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void onGlobalRemove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

static uint32_t now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)((unsigned long long)t.tv_sec * 1000u + (unsigned long long)t.tv_nsec / 1000000u);
}

static int inside(long x, long y)
{
    return x >= 0 && y >= 0 && x < (long)width && y < (long)height;
}

static void moveTo(long x, long y)
{
    zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), (uint32_t)x, (uint32_t)y, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
}

static void button(int down)
{
    zwlr_virtual_pointer_v1_button(pointer, now(), BUTTON_LEFT, down ? 1 : 0);
    zwlr_virtual_pointer_v1_frame(pointer);
    buttonDown = down;
}

/* Runs one command line; returns NULL or what was wrong with it. */
static const char* run(const char* line)
{
    char verb[16];
    long a[4];
    int extra = -1;
    if (sscanf(line, "%15s", verb) != 1)
        return "an empty command";
    if (strcmp(verb, "move") == 0) {
        if (sscanf(line, "%*s %ld %ld %n", &a[0], &a[1], &extra) != 2 || extra < 0 || line[extra] != '\0')
            return "move takes X Y";
        if (!inside(a[0], a[1]))
            return "the point is outside the layout";
        moveTo(a[0], a[1]);
    } else if (strcmp(verb, "down") == 0 || strcmp(verb, "up") == 0) {
        button(verb[0] == 'd');
    } else if (strcmp(verb, "drag") == 0) {
        if (sscanf(line, "%*s %ld %ld %ld %ld %n", &a[0], &a[1], &a[2], &a[3], &extra) != 4 || extra < 0 ||
            line[extra] != '\0')
            return "drag takes X1 Y1 X2 Y2";
        if (!inside(a[0], a[1]) || !inside(a[2], a[3]))
            return "a point is outside the layout";
        moveTo(a[0], a[1]);
        button(1);
        for (long step = 1; step <= 8; ++step)
            moveTo(a[0] + (a[2] - a[0]) * step / 8, a[1] + (a[3] - a[1]) * step / 8);
        button(0);
    } else {
        return "an unknown command";
    }
    return NULL;
}

int main(int argc, char** argv)
{
    if (argc == 3) {
        width = (unsigned)strtoul(argv[1], NULL, 10);
        height = (unsigned)strtoul(argv[2], NULL, 10);
    }
    if (argc != 1 && argc != 3) {
        fprintf(stderr, "usage: %s [WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    if (width == 0 || height == 0 || width > 65536 || height > 65536) {
        fprintf(stderr, "%s: the layout's size must be 1 to 65536 each way\n", argv[0]);
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "%s: no Wayland display\n", argv[0]);
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "%s: the compositor offers no zwlr_virtual_pointer_manager_v1\n", argv[0]);
        return 1;
    }
    pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);

    char line[256];
    setvbuf(stdout, NULL, _IOLBF, 0);
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = '\0';
        const char* wrong = run(line);
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "%s: the compositor closed the connection\n", argv[0]);
            return 1;
        }
        if (wrong)
            printf("error: %s: %s\n", wrong, line);
        else
            printf("ok\n");
    }
    if (buttonDown)
        button(0);
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
