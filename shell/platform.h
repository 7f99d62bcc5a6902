// The platform verbs: everything the portable game needs from the outside
// world. The exe links shell/win32/ (each verb a Win32 call or two); native
// tests and the replay tool link shell/recorder/ (records every call, answers
// from a script); native tools take the file and digest verbs from shell/posix/.
// The verbs live in namespace platform, so that every call to one reads as a
// call across the seam; the types they take stay global.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Controls (called by panels, updateControls, show/hideControls, keys) ----

// The nine child controls. A button's value is its command number, which is
// also its control identifier.
enum Control : int {
    StatusPanel = 1,
    ResultPanel = 2,
    MessageLog = 3,
    AdvanceButton = 101,
    RestButton = 102,
    TrumpCardButton = 103,
    BackButton = 104,
    HealButton = 105,
    MarkTimeButton = 106,
};

namespace platform {
void setControlText(Control control, const char* text);  // the control's whole text
void enableControl(Control control, bool enabled);
bool isControlEnabled(Control control);
void showControl(Control control);  // shown without being activated
void hideControl(Control control);
void focusMainWindow();  // the keyboard focus goes back to the main window
}  // namespace platform

// ---- Repainting (called by the rules and the White Arrow) ----

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

namespace platform {
// Marks a client rectangle of the main window for repainting, with erasing.
// A null rect means the whole client area.
void invalidate(const Rect* rect);
}  // namespace platform

// ---- Drawing (called only by paintWindow, between beginPaint and endPaint) ----

enum Picture : int {
    GreenBackground,
    RedBackground,
    GrayBackground,
    BossBackground,
    LastBackground,
    EnemySprite,
    pictureCount
};
enum Pen : int { RedPen, YellowPen, BlackPen };
enum Icon : int { AppIcon, HeroIcon, SecondIcon };
enum Font : int { SmallFont, LogFont };
enum TextLayout : int {
    CentredLines,       // each line centred horizontally, clipped to the rectangle
    BottomLeftOneLine,  // a single line, left-aligned, on the rectangle's bottom edge
};

namespace platform {
// Loads a picture file at window creation; false when it cannot be loaded.
bool loadPicture(Picture picture, const char* path);

void beginPaint();
void endPaint();
// Copies the picture's top-left w x h pixels to (x, y). An absent picture draws nothing.
void drawPicture(Picture picture, int x, int y, int w, int h);
// Blends the picture's top-left w x h pixels over (x, y) with constant alpha 0..255.
void blendPicture(Picture picture, int x, int y, int w, int h, int alpha);
// A line from (x1, y1) up to but not including (x2, y2).
void drawLine(Pen pen, int x1, int y1, int x2, int y2);
// Draws the icon with its top-left corner at (x, y); an empty icon slot draws nothing.
void drawIcon(Icon icon, int x, int y);
void drawText(Font font, const char* text, const Rect& rect, TextLayout layout);
}  // namespace platform

// ---- Sound and music (called by shell/sound) ----

namespace platform {
// Sends one command string to the music device; notify asks for the
// end-of-play notification to the main window.
void sendMusicCommand(const char* command, bool notify);
// Plays a whole WAV file image from memory asynchronously, cutting off the
// effect still playing; a null wave only stops it. effect is the game's number
// for the sound, for the record.
void playWave(int effect, const unsigned char* wave);
}  // namespace platform

// ---- Time and dialogs ----

enum BoxOwner : int { OwnedByMainWindow, NoOwner };

namespace platform {
// Blocks the window's thread; no window message is handled meanwhile.
void pause(int milliseconds);

// A modal box with a single OK button; returns when it is closed.
void messageBox(const char* text, const char* caption, BoxOwner owner);

// Now, as a Windows file time: 100 ns units since 1601-01-01 UTC.
uint64_t currentFileTime();
}  // namespace platform

// ---- Files and digest (fingerprint, sound effects) ----

enum FileShare : int { ShareNothing, ShareRead };
typedef intptr_t FileRef;  // 0: no file
const FileRef noFile = 0;

namespace platform {
// Opens an existing file for reading; others may at most read it meanwhile.
FileRef fileOpen(const char* path, FileShare share);
// Last-write time as a Windows file time; false when it cannot be read.
bool fileLastWriteTime(FileRef file, uint64_t* fileTime);
// The size; false when it cannot be taken or does not fit in 32 bits.
bool fileSize32(FileRef file, uint32_t* size);
// Reads exactly size bytes from the start in one read; false otherwise.
bool fileReadAll(FileRef file, void* buffer, uint32_t size);
void fileClose(FileRef file);

// MD5 (RFC 1321) of length bytes; false only if the platform's digest failed.
bool md5Digest(const unsigned char* bytes, size_t length, unsigned char digest[16]);
}  // namespace platform

// ---- The White Arrow's window verbs ----

typedef uintptr_t WindowRef;  // 0: no window
enum CursorShape : int { AimCursor, HoverCursor, StandardCursor };

namespace platform {
// The window at the screen point under this client position of the main window.
WindowRef windowAtClientPoint(int x, int y);
bool isMainWindow(WindowRef window);
// The full path of the executable of the process owning the window.
bool exePathOfWindow(WindowRef window, char path[260]);

void captureMouse();
void releaseMouse();
void setCursorShape(CursorShape cursor);

// Puts the first icon of the file (or the system's default application icon)
// into HeroIcon or SecondIcon, destroying the icon the slot held.
void captureIcon(const char* path, Icon slot);
// Destroys both captured icons and empties both slots.
void destroyCapturedIcons();
}  // namespace platform
