// Printing a replay's trace: the recorded calls that a player would notice,
// and the three records, with the game's texts turned into UTF-8.
#include "tools/replay/trace.h"

#include <string>

#include "core/records.h"
#include "shell/recorder/recorder.h"
#include "shell/posix/sjis_text.h"

// The line an append added: the last line of the composed MessageLog text,
// whose lines each read " >TEXT" and end with a line feed.
static std::string appendedLine(const std::string& panel)
{
    if (panel.size() < 3)
        return std::string();
    size_t end = panel.size() - 1;
    size_t start = panel.rfind('\n', end - 1);
    start = start == std::string::npos ? 0 : start + 1;
    return panel.substr(start + 2, end - start - 2);
}

// Line breaks written as \n, so that every event stays on one line.
static std::string oneLine(const std::string& utf8)
{
    std::string out;
    for (char c : utf8) {
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// A box is recorded as "CAPTION|TEXT". The caption is Shift_JIS, so the
// separator is looked for between characters, never inside one.
static void printBox(FILE* out, const std::string& recorded)
{
    size_t at = 0;
    while (at < recorded.size() && recorded[at] != '|') {
        unsigned char byte = static_cast<unsigned char>(recorded[at]);
        bool lead = (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
        at += lead ? 2 : 1;
    }
    std::string caption = recorded.substr(0, at);
    std::string text = at < recorded.size() ? recorded.substr(at + 1) : std::string();
    std::fprintf(out, "box %s | %s\n", oneLine(sjisToUtf8(caption)).c_str(),
                 oneLine(sjisToUtf8(text)).c_str());
}

// An emptied line prints as "log" alone, so that no trace line ends in a space.
static void printLog(FILE* out, const std::string& line)
{
    if (line.empty())
        std::fprintf(out, "log\n");
    else
        std::fprintf(out, "log %s\n", oneLine(sjisToUtf8(line)).c_str());
}

void printEvents(FILE* out)
{
    for (const RecordedCall& call : recordedCalls()) {
        if (call.verb == "setControlText" && call.args[0] == MessageLog)
            printLog(out, appendedLine(call.text));
        else if (call.verb == "playWave")
            std::fprintf(out, "sound %lld\n", static_cast<long long>(call.args[0]));
        else if (call.verb == "sendMusicCommand")
            std::fprintf(out, "mci %s\n", oneLine(sjisToUtf8(call.text)).c_str());
        else if (call.verb == "pause")
            std::fprintf(out, "pause %lld\n", static_cast<long long>(call.args[0]));
        else if (call.verb == "messageBox")
            printBox(out, call.text);
    }
}

static std::string quoted(const char* sjis)
{
    return "\"" + oneLine(sjisToUtf8(sjis)) + "\"";
}

void printRecords(FILE* out)
{
    const GameState& g = game;
    std::fprintf(out,
                 "state d=%d t=%d stage=%d rest=%d battle=%d ready=%d aim=%d sa=%d su=%d "
                 "b35=%d b75=%d walk=%d final=%d end=%d shown=%d up=%d steps=%d hpool=%d "
                 "mpool=%d av=%d fv=%d miss=%d\n",
                 g.distance, g.timeLeft, g.stage, g.atRestPoint, g.inBattle, g.heroReady,
                 g.aiming, g.secondArrowReady, g.secondArrowUsed, g.boss35Beaten,
                 g.boss75Beaten, g.epilogueWalk, g.finalBattle, g.ending, g.endingShown,
                 g.timeUp, g.stepCounter, g.hpRegenPool, g.mpRegenPool, g.arrivalVoiceCount,
                 g.finalVoiceCount, g.arrowMisses);
    const HeroRecord& h = hero;
    std::fprintf(out,
                 "hero name=%s lv=%d hp=%d/%d mp=%d/%d atk=%d def=%d ev=%d exp=%d/%d trait=%d "
                 "card=%d cost=%d grow=%d,%d,%d,%d\n",
                 quoted(h.name).c_str(), h.level, h.hp, h.maxHp, h.mp, h.maxMp, h.attack,
                 h.defence, h.evasion, h.exp, h.nextExp, h.trait, h.trumpCard, h.trumpCost,
                 h.hpGrowth, h.mpGrowth, h.attackGrowth, h.defenceGrowth);
    const EnemyRecord& e = enemy;
    std::fprintf(out, "enemy name=%s hp=%d/%d atk=%d def=%d ev=%d exp=%d m1=%d m2=%d\n",
                 quoted(e.name).c_str(), e.hp, e.maxHp, e.attack, e.defence, e.evasion,
                 e.expReward, e.move1Power, e.move2Power);
}
