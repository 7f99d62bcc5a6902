// The last check's walk as a player walks it: the lines each key brings,
// read off the log in the order they came, and the next key, chosen only
// once the game is done with the last one and every line of it was read.
#pragma once

#include <string>

#include "tests/soak/plan.h"
#include "tests/soak/runner.h"

namespace soak {

class Walk {
public:
    // The hero's name, and the log as it reads before the first key.
    Walk(const std::string& heroName, const std::string& logNow);

    // The log's whole text as the eyes saw it, in order.
    void seen(const std::string& logText);
    // A key was sent; the next one waits until the game is done with it.
    void pressed(Key key);
    // The key's own first line has come: the game has taken the key.
    bool taken() const { return taken_; }
    // The log as the game itself has it, read back after the key was taken.
    // The game answers only between two handlers (or in a pause of one), so
    // this holds every line the key's handler wrote before it ended or
    // paused: an encounter, a rest point, the second arrow's offer.
    void readBack(const std::string& logText);
    // The next key, once the key was taken, its log was read back and the
    // eyes have seen that same text (so every line of it was interpreted):
    // in battle the hero fights, or flees a battle that goes on too long;
    // on the road it steps, or marks time when the log's last four lines
    // are steps, as a fifth and sixth step would leave the log unchanged.
    // False while the game may still be at work on the last key.
    bool next(Key* key) const;

    // A line that breaks the rules ("" when none did).
    const std::string& problem() const { return problem_; }
    // What the last key was waiting for, for a failure's message.
    std::string waitingFor() const;
    std::string summary() const;

    int forward = 0;   // steps taken
    int distance = 0;
    int battles = 0;
    int falls = 0;
    int flights = 0;

private:
    void interpret(const std::string& line);

    std::string blowLine_, fallLine_;
    LogStream stream_;
    std::string lastText_;
    Key key_ = Key::Up;
    bool taken_ = true;
    bool readBack_ = true;
    bool caughtUp_ = true;
    std::string readBackText_;
    bool inBattle_ = false;
    int blows_ = 0;  // the hero's blows in this battle
    bool expectRestPoint_ = false;
    int unseen_ = 0;
    std::string problem_;
};

// Blows after which a battle that goes on is fled.
const int blowsBeforeFleeing = 8;

}  // namespace soak
