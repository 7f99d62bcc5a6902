// The message loop: GTK's main loop, with the Windows program's order of
// messages kept on top of it.
// - A pause blocks the game: input that arrives meanwhile (keys, clicks,
//   drags, the close button) and the music's end-of-play notices wait in a
//   queue and are handled afterwards in the order they came. The loop still
//   runs during a pause so that what the rules painted and every panel text
//   they set reach the screen before the pause goes on.
// - A repaint of the client area (paintWindow) runs only when no message
//   waits, as a paint message comes last on Windows.
// - A message box runs its own loop: its own input, repaints of the game and
//   the music's notices go on meanwhile; queued input waits until it closes.
#include <deque>

#include "capture/arrow.h"
#include "shell/gtk/devicebuttons.h"
#include "shell/gtk/native.h"
#include "shell/scene.h"
#include "shell/sound.h"

struct Message {
    GdkEvent* event;      // input, or null for a music notice or a drag's end
    unsigned generation;  // the notice's play
    int repeats;          // a key press: how many presses of the key it stands for
    bool endDrag;         // the drag in progress can no longer be released
};

static std::deque<Message> waiting;
static int pauseDepth = 0;
static int boxDepth = 0;
static bool replaying = false;
static guint replaySource = 0;
static guint paintSource = 0;
static GMainLoop* loop = nullptr;
static int deliveredRepeats = 1;

static bool isInput(const GdkEvent* event)
{
    switch (event->type) {
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE:
    case GDK_MOTION_NOTIFY:
    case GDK_SCROLL:
    case GDK_TOUCH_BEGIN:
    case GDK_TOUCH_UPDATE:
    case GDK_TOUCH_END:
    case GDK_TOUCH_CANCEL:
    case GDK_DELETE:
        return true;
    default:
        return false;
    }
}

// Messages wait while a pause runs, and behind those already waiting; a
// box's own input never waits.
static bool mustWait()
{
    return boxDepth == 0 && (pauseDepth > 0 || !waiting.empty() || replaying);
}

static void scheduleReplay();

static void deliver(const Message& message)
{
    if (message.event) {
        deliveredRepeats = message.repeats;
        gtk_main_do_event(message.event);
        deliveredRepeats = 1;
        gdk_event_free(message.event);
    } else if (message.endDrag) {
        cancelWhiteArrow();
    } else {
        deliverMusicNotice(message.generation);
    }
}

static gboolean replayWaiting(gpointer)
{
    replaySource = 0;
    if (replaying)
        return G_SOURCE_REMOVE;
    replaying = true;
    while (!waiting.empty() && pauseDepth == 0 && boxDepth == 0) {
        Message message = waiting.front();
        waiting.pop_front();
        deliver(message);
    }
    replaying = false;
    if (!waiting.empty())
        scheduleReplay();  // a box opened meanwhile; go on once it closed
    else
        requestPaint();
    return G_SOURCE_REMOVE;
}

static void scheduleReplay()
{
    if (!replaySource && !waiting.empty() && pauseDepth == 0 && boxDepth == 0 && !replaying)
        replaySource = g_idle_add_full(G_PRIORITY_DEFAULT, replayWaiting, nullptr, nullptr);
}

// A key held down while the game is busy repeats into one message whose
// repeat count grows, as the system merges auto-repeated keys on Windows
// (and the keyboard map then ignores it).
static bool mergedIntoLastKey(const GdkEvent* event)
{
    if (event->type != GDK_KEY_PRESS || waiting.empty())
        return false;
    Message& last = waiting.back();
    if (!last.event || last.event->type != GDK_KEY_PRESS ||
        last.event->key.hardware_keycode != event->key.hardware_keycode)
        return false;
    last.repeats += 1;
    return true;
}

static void onEvent(GdkEvent* event, gpointer)
{
    if (isInput(event) && mustWait()) {
        if (!mergedIntoLastKey(event))
            waiting.push_back(Message{gdk_event_copy(event), 0, 1, false});
        scheduleReplay();
        return;
    }
    gtk_main_do_event(event);
}

int keyRepeatCount()
{
    return deliveredRepeats;
}

static gboolean noticeArrived(gpointer data)
{
    Message notice = {nullptr, GPOINTER_TO_UINT(data), 1, false};
    if (mustWait()) {
        waiting.push_back(notice);
        scheduleReplay();
    } else {
        deliver(notice);
    }
    return G_SOURCE_REMOVE;
}

void postMusicNotice(unsigned generation)
{
    g_idle_add_full(G_PRIORITY_DEFAULT, noticeArrived, GUINT_TO_POINTER(generation), nullptr);
}

static bool buttonReleaseWaiting()
{
    for (const Message& message : waiting)
        if (message.event && message.event->type == GDK_BUTTON_RELEASE && message.event->button.button == 1)
            return true;
    return false;
}

// Counts the drags begun, so that a late check never ends a newer drag.
static unsigned dragsBegun = 0;

// Runs once GDK has no more input to hand over (a lower priority than its
// events): a release that the X server sent before the button was found up
// has by now been handled, or waits in the queue. If neither, it went
// elsewhere, and the drag ends before any input that waits. In a Wayland
// session a device's release that the master pointer may have lost is
// first decided on (and then handed over as the master's).
static gboolean endDragIfReleaseLost(gpointer data)
{
    if (deviceButtonsUndecided())
        return G_SOURCE_CONTINUE;
    if (GPOINTER_TO_UINT(data) == dragsBegun && !buttonReleaseWaiting()) {
        waiting.push_front(Message{nullptr, 0, 1, true});
        scheduleReplay();
    }
    return G_SOURCE_REMOVE;
}

void dragBegan(bool buttonUp)
{
    ++dragsBegun;
    if (buttonUp)
        g_idle_add_full(G_PRIORITY_LOW, endDragIfReleaseLost, GUINT_TO_POINTER(dragsBegun), nullptr);
}

// ---- repaints ----

static gboolean paintIfDue(gpointer)
{
    paintSource = 0;
    if (pauseDepth > 0 || (boxDepth == 0 && (!waiting.empty() || replaying)))
        return G_SOURCE_REMOVE;  // asked again when the pause or the queue ends
    if (!invalidRegionEmpty())
        paintWindow();
    return G_SOURCE_REMOVE;
}

void requestPaint()
{
    // After input and before GTK's own redraw, which then shows the result.
    if (!paintSource && !invalidRegionEmpty())
        paintSource = g_idle_add_full(G_PRIORITY_HIGH_IDLE + 10, paintIfDue, nullptr, nullptr);
}

// ---- pause and boxes ----

static gboolean wake(gpointer flag)
{
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
}

static void onAfterPaint(GdkFrameClock*, gpointer flag)
{
    *static_cast<bool*>(flag) = true;
}

// Lets GTK draw what is waiting to be drawn (widgets and the client area)
// and sends it to the X server, within the time given.
static void showPendingDrawing(gint64 deadline)
{
    GdkWindow* window = mainWindow ? gtk_widget_get_window(mainWindow) : nullptr;
    GdkFrameClock* clock = window ? gdk_window_get_frame_clock(window) : nullptr;
    if (clock && gtk_widget_get_mapped(mainWindow)) {
        bool painted = false;
        gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(onAfterPaint), &painted);
        gdk_frame_clock_request_phase(clock, GDK_FRAME_CLOCK_PHASE_PAINT);
        while (!painted && g_get_monotonic_time() < deadline)
            g_main_context_iteration(nullptr, TRUE);
        g_signal_handler_disconnect(clock, handler);
    }
    gdk_display_flush(gdk_display_get_default());
}

void platform::pause(int milliseconds)
{
    if (milliseconds < 0)
        milliseconds = 0;
    gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(milliseconds) * 1000;
    ++pauseDepth;
    bool over = false;
    guint timer = g_timeout_add(static_cast<guint>(milliseconds), wake, &over);
    showPendingDrawing(deadline);
    while (!over)
        g_main_context_iteration(nullptr, TRUE);
    (void)timer;  // removed by its own return
    --pauseDepth;
    scheduleReplay();
    requestPaint();
}

void platform::messageBox(const char* text, const char* caption, BoxOwner owner)
{
    GtkWindow* parent = owner == OwnedByMainWindow && mainWindow ? GTK_WINDOW(mainWindow) : nullptr;
    GtkWidget* box = gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                            GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s",
                                            utf8Of(text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), utf8Of(caption).c_str());
    runBox(box);
}

int runBox(GtkWidget* box)
{
    gtk_window_set_resizable(GTK_WINDOW(box), FALSE);
    if (!gtk_window_get_transient_for(GTK_WINDOW(box)))
        gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    ++boxDepth;
    int response = gtk_dialog_run(GTK_DIALOG(box));
    --boxDepth;
    gtk_widget_destroy(box);
    scheduleReplay();
    requestPaint();
    return response;
}

// ---- the loop ----

void installMessageLoop()
{
    gdk_event_handler_set(onEvent, nullptr, nullptr);
    loop = g_main_loop_new(nullptr, FALSE);
}

void runMessageLoop()
{
    g_main_loop_run(loop);
    for (Message& message : waiting)
        if (message.event)
            gdk_event_free(message.event);
    waiting.clear();
    g_main_loop_unref(loop);
    loop = nullptr;
}

void quitMessageLoop()
{
    if (loop)
        g_main_loop_quit(loop);
}
