// The six commands, the step resolution, resting and the buttons'
// availability.
#include "core/journey.h"

#include <cstdio>

#include "core/arith.h"
#include "core/battle.h"
#include "core/random.h"
#include "core/records.h"
#include "core/roster.h"
#include "core/state.h"
#include "shell/panels.h"
#include "shell/platform.h"
#include "shell/scene.h"
#include "shell/sound.h"

// Each of these returns 1 when the time ran out in the middle of it; the
// game has then been reset and nothing more of the command may run.

static int advance()
{
    if (game.inBattle) {
        playSoundEffect(AttackSound);
        return heroAction(AttackAction);
    }
    if (spendTime(1))
        return 1;
    game.distance += 1;
    appendLog("すすむ");
    playSoundEffect(StepForwardSound);
    resolveStep(1);
    return 0;
}

static int flee()
{
    appendLog("逃げた。");
    goBack(5);
    if (spendTime(10))
        return 1;
    game.inBattle = 0;
    playSoundEffect(FlightSound);
    if (game.distance % 10 == 0)
        game.atRestPoint = 1;
    updateControls();
    game.stage = RoadStage;
    platform::invalidate(&sceneRect);
    return 0;
}

static int stepBack()
{
    goBack(1);
    if (spendTime(1))
        return 1;
    appendLog("もどる");
    playSoundEffect(StepBackSound);
    resolveStep(0);
    return 0;
}

static int markTime()
{
    if (game.inBattle)
        return 0;
    if (spendTime(1))
        return 1;
    appendLog("あしぶみ");
    playSoundEffect(StepForwardSound);
    resolveStep(1);
    return 0;
}

static int rest()
{
    if (game.inBattle) {
        appendLog("戦闘中です!");
        return 0;
    }
    if (!game.atRestPoint) {
        appendLog("休憩は10の倍数ポイントでのみ可能です。");
        return 0;
    }
    return restHero();
}

void handleCommand(int command)
{
    int ended = 0;
    switch (command) {
    case Advance:
        ended = advance();
        break;
    case Rest:
        ended = rest();
        break;
    case TrumpCard:
        ended = heroAction(TrumpCardAction);
        break;
    case Back:
        if (!game.inBattle && game.distance <= 0)
            return;
        if (game.inBattle && game.distance >= 100) {
            appendLog("逃げられない!");
            return;
        }
        ended = game.inBattle ? flee() : stepBack();
        break;
    case Heal:
        playSoundEffect(HealSound);
        ended = heroAction(HealAction);
        break;
    case MarkTime:
        ended = markTime();
        break;
    default:
        return;
    }
    if (!ended && !game.ending)
        updateControls();
}

static bool isUnbeatenGuardian(int32_t distance)
{
    return (distance == 35 && !game.boss35Beaten) || (distance == 75 && !game.boss75Beaten);
}

void resolveStep(int roll)
{
    game.atRestPoint = 0;
    game.stage = RoadStage;
    game.secondArrowReady = 0;
    int32_t threshold = hero.trait == EncounterTrait ? 45 : 34;
    regenerate();
    if (game.distance >= 90)
        stopMusic();
    else
        playMusic(FieldMusic);

    if (game.distance >= 100) {
        threshold = 101;
        game.epilogueWalk = 1;
    } else if (game.distance % 10 == 0) {
        game.atRestPoint = 1;
        game.stage = RestStage;
        appendLog("【やすむ】コマンドが使えます。");
        platform::invalidate(&sceneRect);
        return;
    } else if (game.distance == 55 && !game.secondArrowUsed) {
        game.secondArrowReady = 1;
        appendLog("【二の矢】を放てます。");
        platform::invalidate(&sceneRect);
        return;
    } else if (isUnbeatenGuardian(game.distance)) {
        game.stage = GuardianStage;
        threshold = 101;
    }
    platform::invalidate(&sceneRect);
    if (!roll)
        return;

    if (randomBelow(101) < threshold) {
        game.inBattle = 1;
        appendLog("敵に遭遇!");
        platform::invalidate(&sceneRect);
        enemy = chooseOpponent(game.distance);
        updateControls();
    }
    game.stepCounter += 1;
    if (game.stepCounter > 5) {
        game.stepCounter = 0;
        hero.hp = addCapped(hero.hp, 1, hero.maxHp);
    }
}

int restHero()
{
    playSoundEffect(HealSound);
    char line[logLineSize * 3];
    std::snprintf(line, sizeof line, "%sは身体を休めた。", hero.name);
    hero.hp = hero.maxHp;
    hero.mp = addCapped(hero.mp, hero.maxMp / 4, hero.maxMp);
    refreshStatus();
    platform::invalidate(&heroRect);
    appendLog(line);
    return spendTime(5);
}

void updateControls()
{
    platform::enableControl(AdvanceButton, true);
    platform::setControlText(AdvanceButton, game.inBattle ? "攻撃" : "すすむ");
    platform::enableControl(BackButton, true);
    platform::setControlText(BackButton, game.inBattle ? "逃げる" : "もどる");
    platform::enableControl(RestButton, !game.inBattle && game.atRestPoint);
    platform::enableControl(HealButton, hero.mp >= 5);
    platform::enableControl(TrumpCardButton, game.secondArrowUsed && game.inBattle && hero.mp >= hero.trumpCost);
    platform::enableControl(MarkTimeButton, !game.atRestPoint);
}
