// The soak's plan and its reading of the log, without a game: a seed must
// replay exactly, a short run must be the start of a long one, every input
// must be one a player can make, and the lines read off the scrolling log
// must be the lines the game appended.
#include <gtest/gtest.h>

#include <set>

#include "shell/controls.h"
#include "tests/soak/runner.h"
#include "tests/soak/walk.h"

namespace soak {
namespace {

std::vector<std::string> described(const std::vector<Burst>& plan)
{
    std::vector<std::string> lines;
    for (const Burst& burst : plan) {
        lines.push_back("burst " + burst.kind + " gap " + std::to_string(burst.gapAfter));
        for (const Action& action : burst.actions)
            lines.push_back(describe(action));
    }
    return lines;
}

TEST(SoakPlan, ASeedReplaysAndAShortRunBeginsTheLongOne)
{
    std::vector<Burst> shortRun = makePlan(7, 400);
    std::vector<Burst> again = makePlan(7, 400);
    std::vector<Burst> longRun = makePlan(7, 10000);
    EXPECT_EQ(described(shortRun), described(again));
    ASSERT_LT(shortRun.size(), longRun.size());
    std::vector<Burst> start(longRun.begin(), longRun.begin() + static_cast<long>(shortRun.size()));
    EXPECT_EQ(described(shortRun), described(start));
    EXPECT_NE(described(makePlan(8, 400)), described(shortRun));

    int inputs = 0;
    for (const Burst& burst : shortRun)
        inputs += inputsOf(burst);
    EXPECT_GE(inputs, 400);
    EXPECT_LT(inputs - inputsOf(shortRun.back()), 400) << "the plan goes on past the inputs asked for";
}

TEST(SoakPlan, EveryInputIsOneAPlayerCanMake)
{
    std::set<std::string> kinds;
    std::set<Key> keys;
    bool f7Hundreds = false, draggedToEach[4] = {};
    for (const Burst& burst : makePlan(1, 10000)) {
        kinds.insert(burst.kind);
        for (const Action& action : burst.actions) {
            auto inClient = [](const Point& point) {
                return point.place != Place::Client || (point.x >= 0 && point.x < windowLayout.clientWidth &&
                                                         point.y >= 0 && point.y < windowLayout.clientHeight);
            };
            EXPECT_TRUE(inClient(action.at)) << describe(action);
            EXPECT_NE(action.at.place, Place::Finale) << "only the last check shoots a finale target";
            switch (action.kind) {
            case Action::Press:
                keys.insert(action.key);
                EXPECT_GE(action.count, 1);
                f7Hundreds = f7Hundreds || (action.key == Key::F7 && action.count >= 100);
                break;
            case Action::Repeat:
                EXPECT_GE(action.count, 2) << describe(action);
                break;
            case Action::Drag:
                EXPECT_EQ(action.grab.place, Place::Client);
                EXPECT_TRUE(action.grab.x >= grabSpotLow && action.grab.x <= grabSpotHigh &&
                            action.grab.y >= grabSpotLow && action.grab.y <= grabSpotHigh)
                    << describe(action);
                for (const Point& point : action.path)
                    EXPECT_TRUE(inClient(point)) << describe(action);
                draggedToEach[static_cast<int>(action.at.place)] = true;
                break;
            default:
                break;
            }
            EXPECT_GE(action.delayAfter, 0);
        }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"answer", "busy", "clicks", "drag", "f7", "hold", "idle", "mash",
                                            "new-game", "repeat", "walk", "walk-and-shoot"}));
    EXPECT_EQ(keys.size(), static_cast<size_t>(keyCount)) << "some key is never pressed";
    EXPECT_TRUE(f7Hundreds);
    for (bool dragged : draggedToEach)
        EXPECT_TRUE(dragged) << "some kind of place is never a drag's end";
}

TEST(SoakLog, TheLinesAddedToTheScrollingLog)
{
    LogStream stream;
    int unseen = 0;
    const std::string empty = " >\n >\n >\n >\n >\n";
    EXPECT_EQ(stream.feed(empty, &unseen), (std::vector<std::string>{"", "", "", "", ""}));
    EXPECT_EQ(stream.feed(" >\n >\n >\n >\n >a\n", &unseen), (std::vector<std::string>{"a"}));
    EXPECT_EQ(stream.feed(" >\n >\n >a\n >b\n >c\n", &unseen), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(unseen, 0);
    // The same text again adds nothing; five lines all new may hide more.
    EXPECT_TRUE(stream.feed(" >\n >\n >a\n >b\n >c\n", &unseen).empty());
    EXPECT_EQ(stream.feed(" >d\n >e\n >f\n >g\n >h\n", &unseen),
              (std::vector<std::string>{"d", "e", "f", "g", "h"}));
    EXPECT_EQ(unseen, 1);
    // Repeated lines: the fewest new lines that explain the change.
    stream.feed(" >g\n >h\n >x\n >x\n >x\n", &unseen);
    EXPECT_EQ(stream.feed(" >h\n >x\n >x\n >x\n >x\n", &unseen), (std::vector<std::string>{"x"}));
    EXPECT_EQ(unseen, 1);
}

// The log's text with these lines at its end, as the five-line log shows it.
std::string logOf(std::vector<std::string> lines)
{
    while (lines.size() < 5)
        lines.insert(lines.begin(), "");
    std::string text;
    for (size_t i = lines.size() - 5; i < lines.size(); ++i)
        text += " >" + lines[i] + "\n";
    return text;
}

// A step's encounter line reaches the eyes a moment after the step's own
// line, after four steps in a row: the walk must not mark time (which does
// nothing in battle) but wait until the game is done, then fight.
TEST(SoakWalk, TheNextKeyWaitsForWhatTheSameStepBrings)
{
    const std::string step = "すすむ", encounter = "敵に遭遇!";
    Walk walk("弓", logOf({"弓 を射止めた!"}));
    Key key = Key::Down;
    ASSERT_TRUE(walk.next(&key));
    EXPECT_EQ(key, Key::Up);
    std::vector<std::string> lines = {"弓 を射止めた!"};
    for (int i = 0; i < 4; ++i) {
        walk.pressed(Key::Up);
        lines.push_back(step);
        walk.seen(logOf(lines));
        EXPECT_TRUE(walk.taken());
        EXPECT_FALSE(walk.next(&key)) << "chosen before the game was read back";
        if (i < 3) {
            walk.readBack(logOf(lines));
            ASSERT_TRUE(walk.next(&key));
            EXPECT_EQ(key, Key::Up);
        }
    }
    // The game has the encounter already; the eyes have not seen it yet.
    std::vector<std::string> inBattle = lines;
    inBattle.push_back(encounter);
    walk.readBack(logOf(inBattle));
    EXPECT_FALSE(walk.next(&key)) << "chosen before the eyes saw the encounter";
    walk.seen(logOf(inBattle));
    ASSERT_TRUE(walk.next(&key));
    EXPECT_EQ(key, Key::Up) << "marked time in battle";
    EXPECT_EQ(walk.battles, 1);

    // Blow after blow without an end: the hero flees.
    for (int blow = 1; blow <= blowsBeforeFleeing; ++blow) {
        walk.pressed(Key::Up);
        inBattle.push_back("弓の攻撃!");
        inBattle.push_back(std::to_string(blow) + "のダメージを与えた!");
        walk.seen(logOf(inBattle));
        walk.readBack(logOf(inBattle));
        ASSERT_TRUE(walk.next(&key));
    }
    EXPECT_EQ(key, Key::Down);
    walk.pressed(Key::Down);
    inBattle.insert(inBattle.end(), {"逃げた。", "5億光年戻ってしまった...。", "残り時間を10消費した...。"});
    walk.seen(logOf(inBattle));
    walk.readBack(logOf(inBattle));
    ASSERT_TRUE(walk.next(&key));
    EXPECT_EQ(key, Key::Up);
    EXPECT_EQ(walk.distance, 0);
    EXPECT_EQ(walk.flights, 1);
    EXPECT_TRUE(walk.problem().empty()) << walk.problem();

    // Four steps with no encounter, read back once done: now it marks time.
    Walk road("弓", logOf({}));
    std::vector<std::string> steps;
    for (int i = 0; i < 4; ++i) {
        road.pressed(Key::Up);
        steps.push_back(step);
        road.seen(logOf(steps));
        road.readBack(logOf(steps));
    }
    ASSERT_TRUE(road.next(&key));
    EXPECT_EQ(key, Key::Left);
}

TEST(SoakWalk, ARestPointMustFollowItsStep)
{
    Walk walk("弓", logOf({}));
    std::vector<std::string> lines;
    // A step and a mark of time, ten times: the tenth step lacks its line.
    for (int i = 0; i < 10; ++i) {
        lines.push_back("すすむ");
        walk.seen(logOf(lines));
        lines.push_back("あしぶみ");
        walk.seen(logOf(lines));
    }
    EXPECT_EQ(walk.distance, 10);
    EXPECT_EQ(walk.problem(), "distance 10 is a rest point, but the log went on with \"あしぶみ\"");
}

TEST(SoakOptions, CommonOptionsAndTheirValues)
{
    std::vector<std::string> args = {"--seed", "42", "--inputs", "900", "--finale", "w1", "弓 を射止めた!",
                                     "a\\nb\\\\c", "--steps"};
    Options options;
    std::vector<std::string> where;
    EXPECT_EQ(commonOption(args, 0, &options, &where), 2);
    EXPECT_EQ(commonOption(args, 2, &options, &where), 2);
    EXPECT_EQ(commonOption(args, 4, &options, &where), 4);
    EXPECT_EQ(commonOption(args, 8, &options, &where), -1) << "--steps without its value";
    EXPECT_EQ(commonOption(args, 1, &options, &where), 0);
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.inputs, 900);
    ASSERT_EQ(options.finales.size(), 1u);
    EXPECT_EQ(where, std::vector<std::string>{"w1"});
    EXPECT_EQ(options.finales[0].status, "a\nb\\c");
}

}  // namespace
}  // namespace soak
