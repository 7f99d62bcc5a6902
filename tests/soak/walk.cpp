// The last check's walk: the log's lines interpreted as a player reads them
// (steps, battles, their ends, rest points) and the next key chosen only
// once the game is done with the last.
#include "tests/soak/walk.h"

#include <vector>

namespace soak {

namespace {

const char stepLine[] = "すすむ";
const char stepBackLine[] = "もどる";
const char markTimeLine[] = "あしぶみ";
const char encounterLine[] = "敵に遭遇!";
const char fleeLine[] = "逃げた。";
const char victoryEnd[] = "を倒した!";
const char restPointLine[] = "【やすむ】コマンドが使えます。";

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

Walk::Walk(const std::string& heroName, const std::string& logNow)
    : blowLine_(heroName + "の攻撃!"), fallLine_(heroName + "は倒れた...")
{
    stream_.feed(logNow, &unseen_);
    lastText_ = logNow;
}

void Walk::seen(const std::string& logText)
{
    for (const std::string& line : stream_.feed(logText, &unseen_))
        if (problem_.empty())
            interpret(line);
    lastText_ = logText;
    if (readBack_ && logText == readBackText_)
        caughtUp_ = true;
}

void Walk::pressed(Key key)
{
    key_ = key;
    taken_ = false;
    readBack_ = false;
    caughtUp_ = false;
}

void Walk::readBack(const std::string& logText)
{
    readBack_ = true;
    readBackText_ = logText;
    caughtUp_ = lastText_ == logText;
}

bool Walk::next(Key* key) const
{
    if (!taken_ || !readBack_ || !caughtUp_)
        return false;
    if (inBattle_) {
        *key = blows_ >= blowsBeforeFleeing ? Key::Down : Key::Up;
        return true;
    }
    std::vector<std::string> lines = logLines(lastText_);
    int tail = 0;
    for (size_t i = lines.size(); i-- > 0 && lines[i] == stepLine;)
        ++tail;
    *key = tail >= 4 ? Key::Left : Key::Up;
    return true;
}

void Walk::interpret(const std::string& line)
{
    if (expectRestPoint_ && line != restPointLine)
        problem_ = "distance " + std::to_string(distance) + " is a rest point, but the log went on with \"" + line + "\"";
    if (!expectRestPoint_ && line == restPointLine)
        problem_ = "a rest point announced at distance " + std::to_string(distance);
    expectRestPoint_ = false;
    // The first line of each key is its own: a step or a blow for Up, a
    // step back or a flight for Down, marking time for Left.
    bool own = false;
    if (line == stepLine) {
        forward += 1;
        distance += 1;
        expectRestPoint_ = distance % 10 == 0 && distance < 100;
        own = key_ == Key::Up;
    } else if (line == blowLine_) {
        blows_ += 1;
        own = key_ == Key::Up;
    } else if (line == markTimeLine) {
        own = key_ == Key::Left;
    } else if (line == stepBackLine) {
        distance = distance > 0 ? distance - 1 : 0;
        own = key_ == Key::Down;
    } else if (line == fleeLine) {
        flights += 1;
        inBattle_ = false;
        distance = distance > 5 ? distance - 5 : 0;
        own = key_ == Key::Down;
    } else if (line == encounterLine) {
        battles += 1;
        inBattle_ = true;
        blows_ = 0;
    } else if (line == fallLine_) {
        falls += 1;
        inBattle_ = false;
        distance = distance > 10 ? distance - 10 : 0;
    } else if (inBattle_ && endsWith(line, victoryEnd)) {
        inBattle_ = false;
    }
    taken_ = taken_ || own;
}

std::string Walk::waitingFor() const
{
    if (!taken_)
        return std::string("a line of the ") + keyName(key_) + " key's own";
    if (!readBack_)
        return "the log read back from the game";
    return "the eyes to see the log read back from the game, \"" + readBackText_ + "\"";
}

std::string Walk::summary() const
{
    return std::to_string(forward) + " steps to distance " + std::to_string(distance) + ", " +
           std::to_string(battles) + " battles, " + std::to_string(flights) + " fled, " + std::to_string(falls) +
           " falls";
}

}  // namespace soak
