// What the soak's runner needs of a desktop with the game on it: hands that
// send real input into the game's window, eyes that read its controls and
// see its boxes, and the checks of a healthy game. One implementation per
// edition: X11 with XTest (the native game, read through AT-SPI) and Win32
// (the Windows program under Wine).
#pragma once

#include <string>
#include <vector>

#include "tests/soak/plan.h"

namespace soak {

// The game's controls the runner reads, by the numbers of the game's own
// Control values (panels 1 to 3, buttons by their command numbers).
enum class Field : int { StatusPanel = 1, ResultPanel = 2, MessageLog = 3, AdvanceButton = 101 };

// Something the eyes saw, in the order it happened.
struct Observation {
    enum Kind {
        LogText,   // the MessageLog's whole text (UTF-8), as it now reads
        BoxOpened, // a box of the game's opened; text is its caption, | and its message
        Ending,    // the ending's result panel was shown
    };
    Kind kind;
    std::string text;
};

class Desk {
public:
    virtual ~Desk() = default;

    // ---- hands ----
    // One press and release, to the game's window or to its open box.
    virtual void press(Key key) = 0;
    // The key held while count key-downs of it arrive, then released.
    virtual void repeat(Key key, int count) = 0;
    // The key held down for milliseconds, repeating as a held key does.
    virtual void hold(Key key, int milliseconds) = 0;
    // The pointer to the point; glide moves it there in small steps.
    virtual void moveTo(const Point& point, bool glide) = 0;
    virtual void button(bool down) = 0;
    // Answers the game's open box; false when none is open.
    virtual bool answerBox(Answer answer) = 0;
    // No key and no button left down.
    virtual void releaseAll() = 0;

    // ---- eyes ----
    // What was seen since the last call.
    virtual std::vector<Observation> observe() = 0;
    // A control's text (a button's label) as last seen, UTF-8.
    virtual std::string text(Field field) = 0;
    virtual bool boxOpen() = 0;
    // A control's text read back from the game itself (text is set), or
    // what went wrong. The game answers between two of its handlers or in
    // a pause of one, never in the middle of a handler's computation, so
    // the text holds all that the handler it runs wrote before then.
    virtual std::string readBack(Field field, int withinMilliseconds, std::string* text) = 0;

    // ---- checks: an empty string when all is well, else what is wrong ----
    // The game's process still runs and its window exists.
    virtual std::string alive() = 0;
    // The window answers a round trip through the game's main loop.
    virtual std::string answers(int withinMilliseconds) = 0;
    // The game holds the pointer now: its mouse capture (Win32), or a grab
    // of the pointer for its window (X11), be it the game's own grab or the
    // one a button pressed on its window makes. A held pointer sends the
    // release to the game wherever it happens; a busy game takes a press
    // only when it is done, and a release sent before then goes to the
    // window under the pointer, as on Windows.
    virtual bool pointerHeld() = 0;
    // No crash dialog, no sanitizer report, no error in the game's log.
    virtual std::string faults() = 0;

    // For a failure's report: where the pointer is, which window is in
    // front and which holds the pointer.
    virtual std::string state() = 0;
};

void sleepMilliseconds(int milliseconds);
// Milliseconds from an arbitrary start, for deadlines.
long long nowMilliseconds();

}  // namespace soak
