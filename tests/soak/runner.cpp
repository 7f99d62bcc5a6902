// The soak's runner: the plan burst by burst with its checks, and the last
// check, a fresh hero that walks twenty steps. Every wait has a limit and
// names what did not come.
#include "tests/soak/runner.h"
#include "tests/soak/walk.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <deque>
#include <functional>
#include <thread>

namespace soak {

void sleepMilliseconds(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

long long nowMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::vector<std::string> logLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.compare(0, 2, " >") == 0)
            line.erase(0, 2);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> LogStream::feed(const std::string& text, int* unseen)
{
    std::vector<std::string> now = logLines(text);
    std::vector<std::string> added;
    // The fewest new lines that explain the text: the old lines moved up
    // by k, and k lines added below them.
    size_t m = last_.size();
    for (size_t k = 0; k <= m; ++k) {
        size_t overlap = m - k;
        if (overlap > now.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < overlap && same; ++i)
            same = last_[k + i] == now[i];
        if (!same)
            continue;
        if (k == m && m > 0 && now.size() >= m)
            *unseen += 1;  // no line in common: some may have come and gone unseen
        added.assign(now.begin() + static_cast<long>(overlap), now.end());
        break;
    }
    last_ = now;
    return added;
}

namespace {

const char heroLineEnd[] = " を射止めた!";
const char secondArrowLastLine[] = "回避率UP";

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Everything the eyes report goes through here: the counts, the log's
// newest text, and (for the last check) every text of the log in order.
struct Watch {
    Watch(Desk& d, Tally& t) : desk(d), tally(t) {}

    Desk& desk;
    Tally& tally;
    LogStream stream;
    std::string log;
    std::deque<std::string> texts;
    bool collecting = false;
    int boxes = 0;
    std::string lastBox;  // the newest box's caption and message
    long long lastSeen = nowMilliseconds();  // when the game last showed a change

    void pump()
    {
        for (const Observation& seen : desk.observe()) {
            lastSeen = nowMilliseconds();
            switch (seen.kind) {
            case Observation::LogText:
                for (const std::string& line : stream.feed(seen.text, &tally.unseenLines)) {
                    if (endsWith(line, heroLineEnd))
                        tally.heroes += 1;
                    if (line == secondArrowLastLine)
                        tally.secondArrows += 1;
                }
                if (collecting)
                    texts.push_back(seen.text);
                log = seen.text;
                break;
            case Observation::BoxOpened:
                tally.boxes += 1;
                boxes += 1;
                lastBox = seen.text;
                break;
            case Observation::Ending:
                tally.endings += 1;
                break;
            }
        }
    }

    // Sleeps, looking now and then.
    void pause(int milliseconds)
    {
        long long end = nowMilliseconds() + milliseconds;
        for (;;) {
            pump();
            long long left = end - nowMilliseconds();
            if (left <= 0)
                return;
            sleepMilliseconds(left < 20 ? static_cast<int>(left) : 20);
        }
    }
};

// Waits until the pointer is held (held) or free; "" or what did not come.
std::string waitForPointer(Desk& desk, bool held, int milliseconds)
{
    long long end = nowMilliseconds() + milliseconds;
    for (;;) {
        if (desk.pointerHeld() == held)
            return "";
        if (nowMilliseconds() >= end)
            return held ? "the pointer was not held for the game within " + std::to_string(milliseconds / 1000) + " s"
                        : "the game still holds the pointer " + std::to_string(milliseconds / 1000) +
                              " s after the last button was released";
        sleepMilliseconds(20);
    }
}

// A drag as the plan has it, or (patient) as a player who watches the
// arrow leave its spot before moving it: "" or what did not happen.
std::string drag(Desk& desk, Watch& watch, const Action& action, bool patient = false)
{
    desk.moveTo(action.grab, false);
    watch.pause(15);
    desk.button(true);
    watch.pause(15);
    if (patient) {
        std::string problem = waitForPointer(desk, true, 60000);
        if (!problem.empty()) {
            desk.button(false);
            return problem;
        }
    }
    for (const Point& point : action.path)
        desk.moveTo(point, true);
    for (Key key : action.keysWhileHeld) {
        desk.press(key);
        watch.pause(10);
    }
    desk.moveTo(action.at, true);
    watch.pause(15);
    desk.button(false);
    return "";
}

void perform(Desk& desk, Watch& watch, const Action& action)
{
    switch (action.kind) {
    case Action::Press:
        for (int i = 0; i < action.count; ++i) {
            desk.press(action.key);
            if (i + 1 < action.count)
                sleepMilliseconds(action.spacing);
        }
        break;
    case Action::Repeat:
        desk.repeat(action.key, action.count);
        break;
    case Action::Hold:
        desk.hold(action.key, action.count);
        break;
    case Action::Click:
        desk.moveTo(action.at, false);
        watch.pause(10);
        desk.button(true);
        watch.pause(10);
        desk.button(false);
        break;
    case Action::Drag:
        drag(desk, watch, action);
        break;
    case Action::AnswerBox:
        desk.answerBox(action.answer);
        break;
    case Action::Wait:
        watch.pause(action.count);
        break;
    }
    watch.pause(action.delayAfter);
}

// The checks after a burst: the first problem found, or "".
std::string checkGame(Desk& desk)
{
    std::string problem = desk.alive();
    if (problem.empty())
        problem = desk.answers(10000);
    if (problem.empty())
        problem = desk.faults();
    if (problem.empty())
        problem = waitForPointer(desk, false, 10000);
    if (problem.empty())
        problem = desk.alive();
    return problem;
}

void printFailure(Desk& desk, const Options& options, size_t index, const Burst& burst, int inputsSoFar,
                  const std::string& problem)
{
    std::printf("FAIL: after burst %zu (%s) of seed %llu: %s\n  %s\n", index + 1, burst.kind.c_str(),
                static_cast<unsigned long long>(options.seed), problem.c_str(), desk.state().c_str());
    std::printf("  the burst was:\n");
    for (const Action& action : burst.actions)
        std::printf("    %s\n", describe(action).c_str());
    std::printf("  the same bursts again: --seed %llu --inputs %d\n",
                static_cast<unsigned long long>(options.seed), inputsSoFar);
    std::fflush(stdout);
}

bool waitFor(Watch& watch, int milliseconds, const std::function<bool()>& done)
{
    long long end = nowMilliseconds() + milliseconds;
    for (;;) {
        watch.pump();
        if (done())
            return true;
        if (nowMilliseconds() >= end)
            return false;
        sleepMilliseconds(10);
    }
}

// Waits until done holds, for as long as the game is still at work: at
// most quietMilliseconds after the last change it showed, and
// totalMilliseconds in all. Input queued before a busy game can take it
// waits there, in order, so what comes of it may take minutes.
bool waitWhileAtWork(Watch& watch, int quietMilliseconds, int totalMilliseconds, const std::function<bool()>& done)
{
    long long quietFrom = nowMilliseconds();
    bool met = false;
    waitFor(watch, totalMilliseconds, [&] {
        met = done();
        return met || nowMilliseconds() - std::max(quietFrom, watch.lastSeen) >= quietMilliseconds;
    });
    return met;
}

// Closes whatever box is open, within ten seconds.
bool closeBoxes(Desk& desk, Watch& watch)
{
    return waitFor(watch, 10000, [&] {
        if (!desk.boxOpen())
            return true;
        desk.answerBox(Answer::Return);
        sleepMilliseconds(100);
        return false;
    });
}

// Waits until the game has caught up with the plan's input: no new log
// text and no box of its own for quietMilliseconds (longer than the game's
// longest pause), answering the boxes that open meanwhile.
bool waitQuiet(Desk& desk, Watch& watch, int quietMilliseconds, int milliseconds)
{
    std::string log = watch.log;
    long long quietSince = nowMilliseconds();
    return waitFor(watch, milliseconds, [&] {
        if (desk.boxOpen()) {
            desk.answerBox(Answer::Return);
            sleepMilliseconds(100);
            quietSince = nowMilliseconds();
        } else if (watch.log != log) {
            log = watch.log;
            quietSince = nowMilliseconds();
        }
        return nowMilliseconds() - quietSince >= quietMilliseconds;
    });
}

// A new game with a first arrow at a finale target, once the game has
// caught up. A box that opens instead (input of the plan still on its way)
// is answered and the next finale target is shot, whose hero tells its own
// shot from the earlier; six attempts in all.
int shootFinale(Desk& desk, Watch& watch, const Options& options, std::string* problem)
{
    // Keys sent faster than battles and pauses take them wait in the game's
    // queue, in order, as they would on Windows: after a long plan the game
    // may walk on for minutes.
    long long planEnd = nowMilliseconds();
    if (!waitQuiet(desk, watch, 3000, 1200000)) {
        *problem = "the game did not come to rest within 1200 s after the plan; the log reads \"" + watch.log + "\"";
        return -1;
    }
    std::printf("last check: the game came to rest %lld s after the plan's last input\n",
                (nowMilliseconds() - planEnd - 3000 + 500) / 1000);
    std::fflush(stdout);
    std::string boxesSeen, missesSeen;
    for (size_t attempt = 0; attempt < 2 * options.finales.size(); ++attempt) {
        size_t which = attempt % options.finales.size();
        if (!closeBoxes(desk, watch)) {
            *problem = "a box of the game did not close when answered";
            return -1;
        }
        desk.press(Key::F11);
        watch.pause(50);
        Action shot;
        shot.kind = Action::Drag;
        shot.grab = Point{Place::Client, 66, 66};
        shot.path.push_back(Point{Place::Client, 120, 200});
        shot.at = Point{Place::Finale, 80, 60, static_cast<int>(which)};
        int boxesBefore = watch.boxes;
        std::string grabbed = drag(desk, watch, shot, true);
        if (!grabbed.empty()) {
            *problem = "the last check's press on the grab spot: " + grabbed + "; " + desk.state();
            return -1;
        }
        const std::string wanted = " >\n >\n >\n >\n >" + options.finales[which].heroLine + "\n";
        // The rest above may have been a lull: the shot then waits behind
        // input of the plan that the game has yet to take, and a drag the
        // game takes after its release has gone elsewhere ends without a
        // shot. A player whose drag came to nothing draws the arrow again.
        bool shown = waitWhileAtWork(watch, 30000, 1200000, [&] { return watch.log == wanted || desk.boxOpen(); });
        if (watch.log == wanted)
            return static_cast<int>(which);
        if (!shown) {
            if (desk.pointerHeld()) {
                *problem = "the last check's first arrow did not give \"" + options.finales[which].heroLine +
                           "\", and the game still holds the pointer; the log reads \"" + watch.log + "\"; " +
                           desk.state();
                return -1;
            }
            missesSeen += " (" + desk.state() + ")";
            continue;
        }
        waitFor(watch, 3000, [&] { return watch.boxes != boxesBefore; });
        boxesSeen += " \"" + watch.lastBox + "\" (" + desk.state() + ")";
    }
    *problem = "the last check's arrow made no hero; boxes:" + boxesSeen + "; drags that came to nothing:" + missesSeen +
               "; the log reads \"" + watch.log + "\"";
    return -1;
}

// Twenty steps of the new hero, one key at a time: the next key is chosen
// only once the game is done with the last (its own line seen, the log read
// back from the game, and that text seen by the eyes), so that a line the
// same handler writes a moment later (an encounter, a rest point) is never
// missed. Every wait lasts as long as the game still shows changes.
std::string walk(Desk& desk, Watch& watch, const Options& options, const std::string& name, std::string* summary)
{
    Walk walk(name, watch.log);
    auto readSeen = [&] {
        while (!watch.texts.empty()) {
            walk.seen(watch.texts.front());
            watch.texts.pop_front();
        }
    };
    auto stuck = [&](Key key) {
        return std::string("after the ") + keyName(key) + " key at distance " + std::to_string(walk.distance) +
               " the game showed no change for 30 s while the check waited for " + walk.waitingFor() +
               "; the log reads \"" + watch.log + "\"";
    };
    Key key = Key::Up;
    while (walk.forward < options.steps) {
        desk.press(key);
        walk.pressed(key);
        if (!waitWhileAtWork(watch, 30000, 300000, [&] {
                readSeen();
                return walk.taken() || !walk.problem().empty();
            }))
            return stuck(key);
        if (!walk.problem().empty())
            return walk.problem();
        std::string text, problem = desk.readBack(Field::MessageLog, 30000, &text);
        if (!problem.empty())
            return "reading the log back from the game: " + problem;
        walk.readBack(text);
        Key following = key;
        if (!waitWhileAtWork(watch, 30000, 300000, [&] {
                readSeen();
                return walk.next(&following) || !walk.problem().empty();
            }))
            return stuck(key);
        if (!walk.problem().empty())
            return walk.problem();
        if (watch.boxes != 0)
            return "a box opened during the steps";
        key = following;
    }
    *summary = walk.summary();
    return "";
}

std::string lastCheck(Desk& desk, Watch& watch, const Options& options)
{
    std::string problem;
    int finale = shootFinale(desk, watch, options, &problem);
    if (finale < 0)
        return problem;
    const Finale& shot = options.finales[static_cast<size_t>(finale)];
    std::string status;
    if (!waitFor(watch, 10000, [&] { return (status = desk.text(Field::StatusPanel)) == shot.status; }))
        return "the new hero's status panel reads \"" + status + "\", not \"" + shot.status + "\"";
    std::string name = shot.heroLine.substr(0, shot.heroLine.size() - std::string(heroLineEnd).size());
    // Strong enough that a battle takes one blow, so the steps go quickly.
    for (int i = 0; i < 30; ++i)
        desk.press(Key::F7);
    watch.texts.clear();
    watch.collecting = true;
    watch.boxes = 0;
    std::string summary;
    problem = walk(desk, watch, options, name, &summary);
    if (problem.empty())
        std::printf("last check: a first arrow gave %s, then %s\n", name.c_str(), summary.c_str());
    return problem;
}

}  // namespace

int runSoak(Desk& desk, const Options& options)
{
    std::vector<Burst> plan = makePlan(options.seed, options.inputs);
    Tally tally;
    Watch watch(desk, tally);
    long long start = nowMilliseconds();
    std::printf("soak: seed %llu, %d inputs in %zu bursts\n", static_cast<unsigned long long>(options.seed),
                options.inputs, plan.size());
    std::fflush(stdout);
    watch.pump();
    for (size_t i = 0; i < plan.size(); ++i) {
        const Burst& burst = plan[i];
        std::printf("burst %zu/%zu %s: %d inputs\n", i + 1, plan.size(), burst.kind.c_str(), inputsOf(burst));
        std::fflush(stdout);
        for (const Action& action : burst.actions)
            perform(desk, watch, action);
        desk.releaseAll();
        tally.inputs += inputsOf(burst);
        tally.bursts += 1;
        std::string problem = checkGame(desk);
        watch.pump();
        if (!problem.empty()) {
            printFailure(desk, options, i, burst, tally.inputs, problem);
            return 1;
        }
        watch.pause(burst.gapAfter);
    }
    std::string problem = lastCheck(desk, watch, options);
    if (problem.empty())
        problem = checkGame(desk);
    if (!problem.empty()) {
        std::printf("FAIL: the last check after seed %llu: %s\n", static_cast<unsigned long long>(options.seed),
                    problem.c_str());
        return 1;
    }
    std::printf("soak summary: inputs=%d bursts=%d boxes=%d heroes=%d second-arrows=%d endings=%d "
                "unseen-lines=%d seconds=%lld\n",
                tally.inputs, tally.bursts, tally.boxes, tally.heroes, tally.secondArrows, tally.endings,
                tally.unseenLines, (nowMilliseconds() - start + 500) / 1000);
    std::fflush(stdout);
    return 0;
}

int commonOption(const std::vector<std::string>& args, size_t at, Options* options,
                 std::vector<std::string>* where)
{
    const std::string& name = args[at];
    size_t left = args.size() - at - 1;
    if (name == "--seed" || name == "--inputs" || name == "--steps") {
        if (left < 1)
            return -1;
        const std::string& value = args[at + 1];
        if (name == "--seed")
            options->seed = std::strtoull(value.c_str(), nullptr, 10);
        else if (name == "--inputs")
            options->inputs = std::atoi(value.c_str());
        else
            options->steps = std::atoi(value.c_str());
        return 2;
    }
    if (name == "--finale") {
        if (left < 3)
            return -1;
        where->push_back(args[at + 1]);
        options->finales.push_back(Finale{args[at + 2], unescapeLines(args[at + 3])});
        return 4;
    }
    return 0;
}

std::string unescapeLines(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace soak
