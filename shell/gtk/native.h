// What the native Linux shell's files share: the main window and its client
// area, the controls, the message loop's pause and boxes, the painter's back
// buffer, and the text conversions between the rules' Shift_JIS and GTK's
// UTF-8. Only this folder includes GTK, X11 and SDL headers.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>

#include "shell/platform.h"
#include "shell/posix/rule_paths.h"

extern GtkWidget* mainWindow;  // the top-level window, or null before it exists
extern GtkWidget* clientArea;  // a GtkLayout the size of the client area

// Text: the rules' Shift_JIS as UTF-8 for GTK.
std::string utf8Of(const char* sjis);

// window.cpp: the window with its nine controls, hidden, and the drawing
// resources (one box per picture that fails); false when there is no display
// to make it on.
bool createMainWindow();
void showMainWindow();
// The close button: the window's resources go, and the loop ends.
void closeMainWindow();

// controls.cpp
void createControls(GtkWidget* layout);
GtkWidget* controlWidget(Control control);

// loop.cpp: the message loop. Input (keys, clicks, drags, the close button)
// and the music's end-of-play notices wait while a pause runs and are then
// handled in the order they came; a box handles its own input.
void installMessageLoop();
void runMessageLoop();
void quitMessageLoop();
// How many presses of a key the key press being handled stands for: more
// than 1 when a held key repeated while the game was busy.
int keyRepeatCount();
// A notice that the playing track reached its end, from any thread.
void postMusicNotice(unsigned generation);
// A drag has begun: the mouse is captured. If its button was already up,
// its release is looked for in all the input read so far; when it is not
// there, it went to another window and never comes, and the drag ends
// without a shot (cancelWhiteArrow) before any input that waits.
void dragBegan(bool buttonUp);
// What a pending repaint needs: run paintWindow when no message waits.
void requestPaint();

// paint.cpp: the back buffer that holds what the client area shows.
void createBackBuffer(int width, int height);
void releaseBackBuffer();
bool invalidRegionEmpty();
void drawBackBuffer(cairo_t* cr);
void createDrawingResources();
void releaseDrawingResources();
PangoFontDescription* fontDescription(Font font);

// icons.cpp: the program's own icon and cursors (built into the program),
// and the two captured icons.
void loadOwnImages();
GdkPixbuf* appIconPixbuf();
cairo_surface_t* iconSurface(Icon icon);
// arrow.cpp: the cursor chosen while the pointer moves is set once, when the
// rules have chosen it; the window's own cursor comes first, as on Windows.
void beginCursorChoice();
void endCursorChoice();
void releaseCursors();
// The window the White Arrow found for this program path, 0 for none (or
// for a native Wayland window: then its app id, else empty).
unsigned long windowOfShotPath(const char* rulePath);
std::string appIdOfShotPath(const char* rulePath);

// audio.cpp: music and effects through SDL_mixer; silent without a device.
void openAudio();
void closeAudio();
// The end-of-play notice of a track, on the main loop: only the play still
// current counts as played to its end.
void deliverMusicNotice(unsigned generation);

// app.cpp: the folder of the program, found from /proc/self/exe.
int enterOwnFolder();
