// The second arrow's effects on the game: the hero strengthened, the trump
// card fixed and its button shown, the offer ended.
#include "capture/second_arrow.h"

#include <cstdio>

#include "capture/hero.h"
#include "core/cards.h"
#include "core/arith.h"
#include "core/records.h"
#include "shell/panels.h"
#include "shell/platform.h"
#include "shell/scene.h"

void applyTrumpCard(int32_t index)
{
    const char* caption = trumpCardCaption(index);
    if (!caption)
        return;
    platform::setControlText(TrumpCardButton, caption);
    hero.trumpCost = trumpCardCost(index);
}

void applySecondArrow(const char* fingerprint)
{
    SecondArrowBonus bonus = secondArrowBonus(fingerprint);

    appendLogf("HP+%d MP+%d", bonus.maxHp, bonus.maxMp);
    appendLogf("攻撃力+%d 防御力+%d", bonus.attack, bonus.defence);
    appendLog("攻撃成長率 防御成長率");
    appendLog("回避率UP");

    // hp and mp are not raised: the new maxima are reached by recovery.
    hero.maxHp = addSat(hero.maxHp, bonus.maxHp);
    hero.maxMp = addSat(hero.maxMp, bonus.maxMp);
    hero.attack = addSat(hero.attack, bonus.attack);
    hero.defence = addSat(hero.defence, bonus.defence);
    hero.evasion = addSat(hero.evasion, bonus.evasion);
    hero.attackGrowth = addSat(hero.attackGrowth, bonus.attackGrowth);
    hero.defenceGrowth = addSat(hero.defenceGrowth, bonus.defenceGrowth);

    hero.trumpCard = bonus.trumpCard;
    applyTrumpCard(hero.trumpCard);
    refreshStatus();

    game.secondArrowReady = 0;
    game.secondArrowUsed = 1;
    platform::invalidate(&sceneRect);  // the grab icon is no longer drawn there
    // Shown but left disabled: the availability rules enable it in a battle.
    platform::showControl(TrumpCardButton);
}
