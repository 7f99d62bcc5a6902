// Shared set-up for the rule tests.
#include "tests/unit/support.h"

#include <cstdio>

#include "core/state.h"
#include "shell/panels.h"
#include "shell/scene.h"
#include "shell/sound.h"

static std::vector<int32_t> moduli;

static void noteDraw(int32_t modulus, int32_t)
{
    moduli.push_back(modulus);
}

void freshProcess()
{
    clearAllRecords();
    stopMusic();
    for (int i = 0; i < logLineCount; ++i)
        appendLog("");
    seedRandom(12345);
    scriptRandom(nullptr, 0);
    observeRandom(noteDraw);
    moduli.clear();
    setClientSize(237, 326);
    resetRecorder();
}

void startJourney()
{
    freshProcess();
    HeroRecord plain = {};
    std::snprintf(plain.name, sizeof plain.name, "Hero");
    plain.level = 1;
    plain.maxHp = plain.hp = 20;
    plain.maxMp = plain.mp = 10;
    plain.attack = 10;
    plain.defence = 4;
    plain.evasion = 0;
    plain.hpGrowth = 50;
    plain.mpGrowth = 20;
    plain.attackGrowth = 30;
    plain.defenceGrowth = 10;
    plain.nextExp = 10;
    plain.trait = 6;  // outside 0..5: no trait takes part
    plain.trumpCard = 3;
    plain.trumpCost = 5;
    hero = plain;
    resetGame();
    game.heroReady = 1;
    clearCalls();
}

void scriptDraws(std::initializer_list<int32_t> values)
{
    std::vector<int32_t> v(values);
    scriptRandom(v.data(), v.size());
    moduli.clear();
}

std::vector<int32_t> drawModuli()
{
    return moduli;
}

void clearCalls()
{
    recordedCalls().clear();
    moduli.clear();
}

// The appended line is the last line of the composed MessageLog text.
static std::string lastLogLine(const std::string& panel)
{
    size_t end = panel.size() - 1;  // the final line feed
    size_t start = panel.rfind('\n', end - 1);
    start = start == std::string::npos ? 0 : start + 1;
    return panel.substr(start + 2, end - start - 2);  // drop " >"
}

std::vector<std::string> events()
{
    std::vector<std::string> out;
    for (const RecordedCall& call : recordedCalls()) {
        if (call.verb == "setControlText" && call.args[0] == MessageLog)
            out.push_back("log " + lastLogLine(call.text));
        else if (call.verb == "playWave")
            out.push_back("sound " + std::to_string(call.args[0]));
        else if (call.verb == "pause")
            out.push_back("pause " + std::to_string(call.args[0]));
        else if (call.verb == "messageBox")
            out.push_back("box " + call.text);
        else if (call.verb == "sendMusicCommand")
            out.push_back("mci " + call.text);
    }
    return out;
}

std::vector<std::string> logged()
{
    std::vector<std::string> out;
    for (const std::string& e : events())
        if (e.compare(0, 4, "log ") == 0)
            out.push_back(e.substr(4));
    return out;
}

int countCalls(const std::string& verb)
{
    return static_cast<int>(callsOf(verb).size());
}

bool invalidated(int left, int top, int right, int bottom)
{
    for (const RecordedCall& call : callsOf("invalidate"))
        if (call.args.size() == 4 && call.args[0] == left && call.args[1] == top &&
            call.args[2] == right && call.args[3] == bottom)
            return true;
    return false;
}
