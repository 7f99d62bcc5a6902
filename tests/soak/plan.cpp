// The seeded plan of the soak. The control positions come from the game's
// own control table, so a click aims at a control whether or not it is
// shown or enabled at that moment.
#include "tests/soak/plan.h"

#include <cstdio>

#include "shell/controls.h"

namespace soak {

namespace {

// splitmix64: small, fast, and the same on every compiler and platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    // low..high, both included.
    int between(int low, int high) { return low + static_cast<int>(next() % static_cast<uint64_t>(high - low + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    // Mostly short, sometimes up to high: how long players wait between inputs.
    int shortDelay(int high) { return chance(50) ? between(0, high / 8) : between(0, high); }

private:
    uint64_t state_;
};

const Key otherMapKeys[] = {Key::Down, Key::Left, Key::Right, Key::Return, Key::Space};
const Key keysDuringDrag[] = {Key::F11, Key::Up, Key::Down, Key::Right, Key::F7, Key::Return};

// Any key but F11, which ends the game at once: it has bursts of its own,
// and in every burst it would leave no game long enough to reach an ending.
Key anyKey(Random& random)
{
    Key key = static_cast<Key>(random.between(0, keyCount - 2));
    return key >= Key::F11 ? static_cast<Key>(static_cast<int>(key) + 1) : key;
}

Key anyMapKey(Random& random)
{
    return static_cast<Key>(random.between(0, mapKeyCount - 2));  // Up .. F7
}

Action press(Key key, int count, int delayAfter)
{
    Action action;
    action.kind = Action::Press;
    action.key = key;
    action.count = count;
    action.delayAfter = delayAfter;
    return action;
}

// A point of the client area, or of one control's rectangle (clipped to the
// client area: two panels are wider than it).
Point clientPoint(Random& random)
{
    return Point{Place::Client, random.between(0, windowLayout.clientWidth - 1),
                 random.between(0, windowLayout.clientHeight - 1)};
}

Point controlPoint(Random& random)
{
    const ControlLayout& row = controlTable[random.between(0, controlCount - 1)];
    int right = row.x + row.width - 1 < windowLayout.clientWidth - 1 ? row.x + row.width - 1 : windowLayout.clientWidth - 1;
    int bottom = row.y + row.height - 1 < windowLayout.clientHeight - 1 ? row.y + row.height - 1 : windowLayout.clientHeight - 1;
    return Point{Place::Client, random.between(row.x, right), random.between(row.y, bottom)};
}

Point somewhere(Random& random, Place place)
{
    switch (place) {
    case Place::Client: return random.chance(50) ? controlPoint(random) : clientPoint(random);
    case Place::Target:
    case Place::Young: return Point{place, random.between(5, 154), random.between(5, 114)};
    case Place::Desktop: return Point{place, random.between(0, 999), random.between(0, 999)};
    case Place::Finale: break;
    }
    return clientPoint(random);
}

Action click(Random& random)
{
    Action action;
    action.kind = Action::Click;
    action.at = random.chance(80) ? controlPoint(random) : clientPoint(random);
    action.delayAfter = random.shortDelay(250);
    return action;
}

Action drag(Random& random, Place to, bool keysWhileHeld = true)
{
    Action action;
    action.kind = Action::Drag;
    action.grab = Point{Place::Client, random.between(grabSpotLow, grabSpotHigh),
                        random.between(grabSpotLow, grabSpotHigh)};
    int stops = random.between(0, 2);
    for (int i = 0; i < stops; ++i)
        action.path.push_back(clientPoint(random));
    action.at = somewhere(random, to);
    if (keysWhileHeld && random.chance(20)) {
        int keys = random.between(1, 3);
        for (int i = 0; i < keys; ++i)
            action.keysWhileHeld.push_back(keysDuringDrag[random.between(0, 5)]);
    }
    action.delayAfter = random.shortDelay(300);
    return action;
}

Place anyDestination(Random& random)
{
    int roll = random.between(1, 100);
    if (roll <= 30)
        return Place::Client;
    if (roll <= 60)
        return Place::Target;
    if (roll <= 80)
        return Place::Young;
    return Place::Desktop;
}

Action answer(Random& random)
{
    Action action;
    action.kind = Action::AnswerBox;
    action.answer = static_cast<Answer>(random.between(0, 3));
    action.delayAfter = random.shortDelay(200);
    return action;
}

Action repeat(Random& random)
{
    Action action;
    action.kind = Action::Repeat;
    // A repeated F11 does nothing, as every repeated key.
    action.key = static_cast<Key>(random.between(0, mapKeyCount - 1));
    action.count = random.between(2, 20);
    action.delayAfter = random.shortDelay(100);
    return action;
}

Action hold(Random& random)
{
    Action action;
    action.kind = Action::Hold;
    action.key = anyMapKey(random);
    action.count = random.between(100, 1500);
    action.delayAfter = random.shortDelay(200);
    return action;
}

// One input of any kind, as a player hammering at the window sends them.
Action anyInput(Random& random)
{
    int roll = random.between(1, 100);
    if (roll <= 45)
        return press(anyKey(random), 1, random.shortDelay(40));
    if (roll <= 75)
        return click(random);
    if (roll <= 85)
        return repeat(random);
    if (roll <= 92)
        return drag(random, anyDestination(random));
    return answer(random);
}

// Walking on: the up arrow mostly, now and then another command key.
void walk(Random& random, Burst& burst)
{
    int steps = random.between(10, 30);
    for (int i = 0; i < steps; ++i) {
        Key key = random.chance(85) ? Key::Up : otherMapKeys[random.between(0, 4)];
        burst.actions.push_back(press(key, 1, random.shortDelay(200)));
    }
}

void mash(Random& random, Burst& burst)
{
    int inputs = random.between(5, 30);
    for (int i = 0; i < inputs; ++i) {
        int roll = random.between(1, 100);
        if (roll <= 75)
            burst.actions.push_back(press(anyKey(random), random.between(1, 3), random.shortDelay(40)));
        else if (roll <= 90)
            burst.actions.push_back(repeat(random));
        else
            burst.actions.push_back(hold(random));
    }
}

// A command that pauses (a step that may meet a battle, a blow, a heal),
// then inputs at once, while the pause runs.
void whileBusy(Random& random, Burst& burst)
{
    static const Key starters[] = {Key::Up, Key::Up, Key::Right, Key::Return, Key::Space};
    burst.actions.push_back(press(starters[random.between(0, 4)], 1, random.between(0, 20)));
    int inputs = random.between(5, 15);
    for (int i = 0; i < inputs; ++i) {
        Action action = anyInput(random);
        action.delayAfter = random.between(0, 20);
        burst.actions.push_back(action);
    }
}

// Walking with the arrow drawn at a target after every step: the second
// arrow is offered for one step only, at 55.
void walkAndShoot(Random& random, Burst& burst)
{
    int steps = random.between(5, 15);
    for (int i = 0; i < steps; ++i) {
        burst.actions.push_back(press(Key::Up, 1, random.shortDelay(100)));
        burst.actions.push_back(drag(random, Place::Target, false));
    }
}

Burst makeBurst(Random& random)
{
    Burst burst;
    int roll = random.between(1, 100);
    if (roll <= 30) {
        burst.kind = "walk";
        walk(random, burst);
    } else if (roll <= 38) {
        burst.kind = "walk-and-shoot";
        walkAndShoot(random, burst);
    } else if (roll <= 45) {
        burst.kind = "mash";
        mash(random, burst);
    } else if (roll <= 50) {
        burst.kind = "f7";
        Action levels = press(Key::F7, random.between(100, 400), random.shortDelay(100));
        levels.spacing = random.between(0, 2);
        burst.actions.push_back(levels);
    } else if (roll <= 60) {
        burst.kind = "clicks";
        int clicks = random.between(2, 12);
        for (int i = 0; i < clicks; ++i)
            burst.actions.push_back(click(random));
    } else if (roll <= 70) {
        burst.kind = "drag";
        int drags = random.between(1, 2);
        for (int i = 0; i < drags; ++i)
            burst.actions.push_back(drag(random, anyDestination(random)));
    } else if (roll <= 73) {
        burst.kind = "new-game";
        burst.actions.push_back(press(Key::F11, random.between(1, 2), random.shortDelay(100)));
        burst.actions.push_back(drag(random, Place::Target));
        int steps = random.between(3, 10);
        for (int i = 0; i < steps; ++i)
            burst.actions.push_back(press(Key::Up, 1, random.shortDelay(150)));
    } else if (roll <= 78) {
        burst.kind = "repeat";
        int keys = random.between(2, 6);
        for (int i = 0; i < keys; ++i)
            burst.actions.push_back(repeat(random));
    } else if (roll <= 81) {
        burst.kind = "hold";
        int keys = random.between(1, 2);
        for (int i = 0; i < keys; ++i)
            burst.actions.push_back(hold(random));
    } else if (roll <= 86) {
        burst.kind = "answer";
        burst.actions.push_back(answer(random));
        if (random.chance(50))
            burst.actions.push_back(anyInput(random));
        burst.actions.push_back(answer(random));
    } else if (roll <= 97) {
        burst.kind = "busy";
        whileBusy(random, burst);
    } else {
        burst.kind = "idle";
        Action wait;
        wait.kind = Action::Wait;
        wait.count = random.between(300, 2500);
        burst.actions.push_back(wait);
    }
    if (random.chance(40))
        burst.actions.push_back(answer(random));
    burst.gapAfter = random.chance(30) ? 0 : random.shortDelay(1500);
    return burst;
}

const char* placeName(Place place)
{
    switch (place) {
    case Place::Client: return "client";
    case Place::Target: return "target";
    case Place::Young: return "young";
    case Place::Desktop: return "desktop";
    case Place::Finale: return "finale";
    }
    return "?";
}

std::string pointText(const Point& point)
{
    return std::string(placeName(point.place)) + " " + std::to_string(point.x) + "," + std::to_string(point.y);
}

}  // namespace

const char* keyName(Key key)
{
    static const char* const names[keyCount] = {
        "Up", "Down", "Left", "Right", "Return", "space", "F7", "F11", "Escape", "Tab",
        "BackSpace", "a", "z", "1", "F1", "F5", "F12", "Home", "Delete", "KP_Enter",
    };
    int index = static_cast<int>(key);
    return index >= 0 && index < keyCount ? names[index] : "?";
}

std::vector<Burst> makePlan(uint64_t seed, int inputs)
{
    Random random(seed);
    std::vector<Burst> plan;
    int planned = 0;
    while (planned < inputs) {
        plan.push_back(makeBurst(random));
        planned += inputsOf(plan.back());
    }
    return plan;
}

int inputsOf(const Action& action)
{
    switch (action.kind) {
    case Action::Press: return action.count;
    case Action::Drag: return 1 + static_cast<int>(action.keysWhileHeld.size());
    case Action::Wait: return 0;
    default: return 1;
    }
}

int inputsOf(const Burst& burst)
{
    int inputs = 0;
    for (const Action& action : burst.actions)
        inputs += inputsOf(action);
    return inputs;
}

std::string describe(const Action& action)
{
    static const char* const answers[] = {"Return", "space", "Escape", "a click on OK"};
    std::string text;
    switch (action.kind) {
    case Action::Press:
        text = "press " + std::string(keyName(action.key));
        if (action.count > 1)
            text += " x" + std::to_string(action.count) + " every " + std::to_string(action.spacing) + " ms";
        break;
    case Action::Repeat:
        text = "repeat " + std::string(keyName(action.key)) + " x" + std::to_string(action.count);
        break;
    case Action::Hold:
        text = "hold " + std::string(keyName(action.key)) + " for " + std::to_string(action.count) + " ms";
        break;
    case Action::Click:
        text = "click " + pointText(action.at);
        break;
    case Action::Drag:
        text = "drag from " + pointText(action.grab);
        for (const Point& point : action.path)
            text += " via " + pointText(point);
        text += " to " + pointText(action.at);
        if (!action.keysWhileHeld.empty()) {
            text += " pressing";
            for (Key key : action.keysWhileHeld)
                text += " " + std::string(keyName(key));
        }
        break;
    case Action::AnswerBox:
        text = "answer a box with " + std::string(answers[static_cast<int>(action.answer)]);
        break;
    case Action::Wait:
        text = "wait " + std::to_string(action.count) + " ms";
        break;
    }
    if (action.delayAfter > 0)
        text += ", then " + std::to_string(action.delayAfter) + " ms";
    return text;
}

}  // namespace soak
