// Reset, the time budget, going back, and natural recovery.
#include "core/state.h"

#include "core/arith.h"
#include "core/journey.h"
#include "core/records.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/platform.h"
#include "shell/scene.h"
#include "shell/sound.h"

void resetGame()
{
    // A reset in the middle of a drag (F11 while the second arrow is drawn)
    // lets go of the pointer: the release that follows is no shot any more.
    if (game.aiming)
        platform::releaseMouse();
    game.aiming = 0;
    game.heroReady = 0;
    game.timeUp = 0;
    game.inBattle = 0;
    game.atRestPoint = 1;
    game.stage = RestStage;
    hideControls();
    platform::hideControl(ResultPanel);
    for (int i = 0; i < logLineCount; ++i)
        appendLog("");
    platform::invalidate(nullptr);
    game.distance = 0;
    game.timeLeft = 400;
    game.secondArrowReady = 0;
    game.secondArrowUsed = 0;
    game.boss35Beaten = 0;
    game.boss75Beaten = 0;
    game.epilogueWalk = 0;
    game.finalBattle = 0;
    game.ending = 0;
    game.endingShown = 0;
    stopMusic();
    updateControls();
    platform::destroyCapturedIcons();
}

int spendTime(int32_t n)
{
    game.timeLeft = subSat(game.timeLeft, n);
    if (n > 1) {
        platform::pause(300);
        appendLogf("残り時間を%d消費した...。", n);
    }
    platform::invalidate(&progressRect);
    if (game.timeLeft > 0)
        return 0;
    platform::pause(300);
    platform::messageBox("時間切れです。宇宙は滅亡しました。", "Tavrenne", OwnedByMainWindow);
    game.timeUp = 1;
    resetGame();
    return 1;
}

void goBack(int32_t n)
{
    game.distance = subSat(game.distance, n);
    if (game.distance < 0)
        game.distance = 0;
    platform::invalidate(&progressRect);
    if (n > 1) {
        appendLogf("%d億光年戻ってしまった...。", n);
        platform::pause(300);
    }
}

// Adds the current value to its pool and pays out whole thresholds as points,
// never past the maximum. Returns true when the value changed, so that the
// panel shows it: also a rise that the maximum cut short (a value already
// at its maximum stays there, and the panel is left alone).
static bool recover(int32_t& value, int32_t maximum, int32_t& pool, int32_t threshold)
{
    if (pool < threshold)
        return false;
    int32_t q = pool / threshold;
    int32_t before = value;
    value = addSat(value, q);
    pool -= q * threshold;
    if (value > maximum)
        value = maximum;
    return value != before;
}

void regenerate()
{
    int32_t hpThreshold = hero.trait == HpRecoveryTrait ? 35 : 50;
    int32_t mpThreshold = hero.trait == MpRecoveryTrait ? 35 : 50;
    game.hpRegenPool = addSat(game.hpRegenPool, hero.hp);
    game.mpRegenPool = addSat(game.mpRegenPool, hero.mp);
    bool changed = recover(hero.hp, hero.maxHp, game.hpRegenPool, hpThreshold);
    changed = recover(hero.mp, hero.maxMp, game.mpRegenPool, mpThreshold) || changed;
    if (changed)
        refreshStatus();
    platform::invalidate(&heroRect);
}
