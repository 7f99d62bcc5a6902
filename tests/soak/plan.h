// The soak's plan: a seeded, reproducible sequence of bursts of player
// input. The same seed always gives the same bursts, and a plan for more
// inputs begins with the plan for fewer, so a short run of a seed replays
// the beginning of a long one. The plan knows nothing of the game's state:
// it says what the player's hands do, never what the game should answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soak {

// The keys of the keyboard map first, then other keys a player may hit.
// No modifier and no key the window manager or the system menu takes
// (Alt, F10, the menu key): those would close or leave the game.
enum class Key {
    Up, Down, Left, Right, Return, Space, F7, F11,
    Escape, Tab, BackSpace, A, Z, Digit1, F1, F5, F12, Home, Delete, KeypadEnter,
};
const int mapKeyCount = 8;  // Up .. F11
const int keyCount = 20;
const char* keyName(Key key);

// Where a point lies. Client: the game's client area, in its own pixels.
// Target, Young: inside the 160 x 120 window of that target program (one
// old enough to be shot, one written today). Desktop: a spot of the bare
// desktop, in thousandths of the free area's width and height. Finale:
// inside the window of finale target number which, shot by the soak's
// last check (never by the plan itself).
enum class Place { Client, Target, Young, Desktop, Finale };
struct Point {
    Place place;
    int x;
    int y;
    int which = 0;
};

// How a box is answered: a key on the box, or a click on its OK button.
enum class Answer { Return, Space, Escape, ClickOk };

struct Action {
    enum Kind {
        Press,      // count presses of key, each pressed and released
        Repeat,     // key held while count key-downs arrive, as a key repeat merged by a busy game
        Hold,       // key held down for count milliseconds, auto-repeating
        Click,      // a left click at at
        Drag,       // pressed at grab (on the grab spot), through path, released at at
        AnswerBox,  // the open box, if any, is answered
        Wait,       // count milliseconds of nothing
    };
    Kind kind = Wait;
    Key key = Key::Up;
    int count = 0;
    int spacing = 0;  // Press: milliseconds between two presses
    Point at = {Place::Client, 0, 0};
    Point grab = {Place::Client, 0, 0};
    std::vector<Point> path;
    std::vector<Key> keysWhileHeld;  // Drag: keys pressed while the button is down
    Answer answer = Answer::Return;
    int delayAfter = 0;  // milliseconds before the next action
};

struct Burst {
    std::string kind;
    std::vector<Action> actions;
    int gapAfter = 0;  // milliseconds after the burst's checks, before the next burst
};

// Bursts until they hold at least inputs inputs.
std::vector<Burst> makePlan(uint64_t seed, int inputs);

// How many inputs an action counts for: each key press, repeated key,
// held key, click, drag, box answer and key pressed during a drag is one.
int inputsOf(const Action& action);
int inputsOf(const Burst& burst);

// One line per action, for the soak's log and the report of a failure.
std::string describe(const Action& action);

// The grab spot of the White Arrow, as the rules define it (ends included).
const int grabSpotLow = 51;
const int grabSpotHigh = 81;

}  // namespace soak
