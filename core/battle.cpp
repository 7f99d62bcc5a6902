// A battle's exchange: the hero's action, victory or the opponent's turn,
// the final boss and its voice lines, defeat, and the switch to the ending.
#include "core/battle.h"

#include <cstdio>

#include "core/arith.h"
#include "core/cards.h"
#include "core/growth.h"
#include "core/journey.h"
#include "core/random.h"
#include "core/records.h"
#include "core/roster.h"
#include "core/state.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/platform.h"
#include "shell/scene.h"
#include "shell/sound.h"

static const char laugh[] = "「ﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌ";

int heroAttack(double multiplier)
{
    int32_t base = saturate((static_cast<int64_t>(hero.attack) - enemy.defence / 2) / 2);
    if (base < 0)
        base = 0;
    int32_t damage = mulTrunc(base, multiplier);
    if (randomBelow(21) == 0) {
        playSoundEffect(CriticalSound);
        appendLog("クリティカル!!");
        platform::pause(300);
        damage = mulTrunc(damage, 1.5);
    }
    damage = addSat(damage, randomBelow(damage / 10 + 2));
    if (randomBelow(101) <= enemy.evasion) {
        playSoundEffect(DodgeSound);
        appendLogf("%sは攻撃をかわした!", enemy.name);
        platform::pause(300);
        damage = 0;
    }
    enemy.hp = subSat(enemy.hp, damage);
    if (enemy.hp < 0)
        enemy.hp = 0;
    platform::invalidate(&sceneRect);
    if (damage > 0)
        appendLogf("%dのダメージを与えた!", damage);
    else
        appendLog("ダメージを与えられない!");
    paintWindow();
    return 0;
}

// The opponent's choice of blow: its power, with the line announcing it.
static int32_t chooseBlow(char* line, size_t size)
{
    int32_t choice = randomBelow(6);
    if (choice == 5 && enemy.move2Power > 0) {
        std::snprintf(line, size, "%s%s!", enemy.name, enemy.move2Text);
        return enemy.move2Power;
    }
    if (choice >= 3 && enemy.move1Power > 0) {
        std::snprintf(line, size, "%s%s!", enemy.name, enemy.move1Text);
        return enemy.move1Power;
    }
    std::snprintf(line, size, "%sの攻撃!", enemy.name);
    return enemy.attack;
}

// The hero has fallen: sent back, paying time. Returns 1 when the time ran out.
static int fall()
{
    appendLogf("%sは倒れた...", hero.name);
    game.inBattle = 0;
    game.epilogueWalk = 0;
    game.finalBattle = 0;
    hero.hp = hero.maxHp;
    if (game.distance >= 100) {
        stopMusic();
        game.stage = RoadStage;
        goBack(9);
    } else {
        goBack(10);
    }
    if (spendTime(40))
        return 1;
    platform::invalidate(&sceneRect);
    platform::invalidate(&heroRect);
    return 0;
}

// What the opponent at the goal and the final boss say after a turn the hero survived.
static void voiceLines()
{
    if (game.finalBattle) {
        if (game.finalVoiceCount < INT32_MAX)
            game.finalVoiceCount += 1;
        int32_t count = game.finalVoiceCount;
        if (enemy.hp > enemy.maxHp / 2) {
            if (count >= 9) {
                appendLog("「8E8082CB 8E8082CB 8E8082C");
                game.finalVoiceCount = 0;
            } else if (count == 6) {
                appendLog("「8E8082CB 8E8082CB 8E8082C");
            } else if (count == 3) {
                appendLog("「836F834A 836F834A 836F834");
            }
        } else if (count >= 3) {
            appendLog(laugh);
            game.finalVoiceCount = 0;
        }
    } else if (game.epilogueWalk) {
        if (game.arrivalVoiceCount < INT32_MAX)
            game.arrivalVoiceCount += 1;
        if (game.arrivalVoiceCount == 2)
            appendLog("「You...」");
        else if (game.arrivalVoiceCount == 6)
            appendLog("「My sun...」");
        else if (game.arrivalVoiceCount == 9)
            appendLog("「AAA...」");
    }
}

int enemyTurn()
{
    char line[logLineSize * 4];
    int32_t power = chooseBlow(line, sizeof line);
    appendLog(line);
    platform::pause(300);

    int32_t damage = saturate((static_cast<int64_t>(power) - hero.defence / 2) / 2 + randomBelow(2));
    if (damage < 0)
        damage = 0;
    if (randomBelow(hero.trait == OftenCriticalTrait ? 10 : 21) == 0) {
        playSoundEffect(CriticalSound);
        appendLog("クリティカル!!");
        platform::pause(300);
        damage = mulTrunc(damage, 1.3);
    }
    damage = addSat(damage, randomBelow(damage / 10 + 2));
    if (hero.trait == HalfDamageTrait && randomBelow(101) <= 10)
        damage /= 2;
    int32_t limit = hero.trait == DoubleEvasionTrait ? saturate(static_cast<int64_t>(hero.evasion) * 2) : hero.evasion;
    if (randomBelow(101) <= limit) {
        playSoundEffect(DodgeSound);
        appendLogf("%sは攻撃をかわした!", hero.name);
        platform::pause(300);
        damage = 0;
    }
    hero.hp = subSat(hero.hp, damage);
    platform::invalidate(&heroRect);
    paintWindow();
    if (damage > 0)
        appendLogf("%dのダメージを受けた!", damage);
    else
        appendLogf("%sはダメージを受けない!", hero.name);
    platform::pause(300);

    if (hero.hp <= 0 && fall())
        return 1;
    voiceLines();
    return 0;
}

static void trumpCardAction()
{
    const TrumpCardRow& card = trumpCardInBattle(hero.trumpCard);
    switch (card.effect) {
    case FullHealCard:
        playSoundEffect(card.sound);
        appendLogf(card.line, hero.name);
        hero.hp = hero.maxHp;
        break;
    case LowerCard: {
        int32_t n = randomBelow(5) + card.lowest;
        playSoundEffect(card.sound);
        appendLogf(card.line, enemy.name, n);
        int32_t& lowered = enemy.*card.lowered;
        lowered = subSat(lowered, n);
        if (card.floorAtZero && lowered < 0)
            lowered = 0;
        break;
    }
    case BlastCard:
        appendLogf(card.line, hero.name);
        platform::pause(300);
        playSoundEffect(card.sound);
        heroAttack(card.multiplier);
        break;
    }
    hero.mp = subSat(hero.mp, hero.trumpCost);
    refreshStatus();
    paintWindow();
}

// The final boss is beaten: its last laughs, then the ending.
static void beatFinalBoss()
{
    stopMusic();
    appendLog(laugh);
    platform::pause(200);
    appendLog(laugh);
    platform::pause(200);
    playSoundEffect(BlastSound);
    appendLog(laugh);
    platform::pause(200);
    appendLog(laugh);
    platform::pause(1000);
    game.ending = 1;
    platform::invalidate(nullptr);
    platform::pause(2000);
    hideControls();
    game.inBattle = 0;
}

static void victory()
{
    if (game.distance == 35)
        game.boss35Beaten = 1;
    if (game.distance == 75)
        game.boss75Beaten = 1;
    playSoundEffect(VictorySound);
    appendLogf("%sを倒した!", enemy.name);
    if (enemy.expReward > 0)
        appendLogf("%dの経験値を獲得!", enemy.expReward);
    hero.exp = addSat(hero.exp, enemy.expReward);
    while (hero.exp >= hero.nextExp) {
        appendLog("レベルアップ!");
        LevelGains gains = levelUp(hero);
        playSoundEffect(SuccessSound);
        appendLogf("HP+%d MP+%d ATK+%d DEF+%d", gains.hpGain, gains.mpGain, gains.attackGain,
                   gains.defenceGain);
    }
    refreshStatus();
    platform::invalidate(&heroRect);
    if (game.distance == 100) {
        playMusic(BossMusic);
        game.stage = FinalStage;
        enemy = chooseOpponent(finalBossDistance);
        game.finalBattle = 1;
        appendLog("「Dance in me!!!!!!!」");
    } else {
        game.inBattle = 0;
        game.stage = RoadStage;
        updateControls();
    }
    platform::invalidate(&sceneRect);
}

int heroAction(int action)
{
    if (action == AttackAction) {
        appendLogf("%sの攻撃!", hero.name);
        platform::pause(300);
        heroAttack(1.0);
    } else if (action == HealAction) {
        int32_t amount = hero.maxHp / 2;
        hero.hp = addCapped(hero.hp, amount, hero.maxHp);
        hero.mp = subSat(hero.mp, 5);
        appendLogf("%sの体力が%d回復した。", hero.name, amount);
        platform::invalidate(&heroRect);
        paintWindow();
        refreshStatus();
    } else if (action == TrumpCardAction) {
        trumpCardAction();
    }
    platform::pause(400);

    if (enemy.hp <= 0 && game.inBattle) {
        if (game.finalBattle) {
            beatFinalBoss();
            return 0;
        }
        victory();
    }
    if (game.inBattle) {
        playSoundEffect(EnemyTurnSound);
        if (enemyTurn())
            return 1;
        refreshStatus();
    }
    return 0;
}
