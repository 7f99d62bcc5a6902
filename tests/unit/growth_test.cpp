// Level-ups, the requirement sequence, and the F7 debt far beyond 32 bits.
#include "tests/unit/support.h"

#include <climits>

#include "core/battle.h"
#include "core/growth.h"
#include "shell/controls.h"

TEST(Growth, RequirementSequence)
{
    freshProcess();
    HeroRecord h = {};
    h.nextExp = 10;
    std::vector<int32_t> seen;
    for (int i = 0; i < 20; ++i) {
        seen.push_back(h.nextExp);
        levelUp(h);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{10, 14, 19, 26, 36, 50, 70, 98, 137, 191, 267, 373, 522,
                                          730, 1021, 1123, 1235, 1358, 1493, 1642}));
    EXPECT_EQ(h.level, 20);
    int32_t all = 0;
    for (int32_t requirement : seen)
        all += requirement;
    EXPECT_EQ(h.exp, -all);  // every requirement paid from nothing
}

TEST(Growth, TheFactorChangesAfterOneThousand)
{
    HeroRecord h = {};
    h.nextExp = 1000;
    levelUp(h);
    EXPECT_EQ(h.nextExp, 1400);
    h.nextExp = 1001;
    levelUp(h);
    EXPECT_EQ(h.nextExp, 1101);
}

TEST(Growth, SixteenDrawsAgainstTheRates)
{
    freshProcess();
    HeroRecord h = {};
    h.hp = 3;
    h.mp = 2;
    h.maxHp = 10;
    h.maxMp = 5;
    h.hpGrowth = 100;   // succeeds on 0..99
    h.mpGrowth = 0;     // never
    h.attackGrowth = 50;
    h.defenceGrowth = 101;  // always
    h.nextExp = 10;
    scriptDraws({99, 100, 0, 50, 3, /*mp*/ 0, 0, 0, 0, /*atk*/ 49, 50, 51, 0, /*def*/ 100, 100, 100});
    LevelGains g = levelUp(h);
    EXPECT_EQ(g.hpGain, 4);
    EXPECT_EQ(g.mpGain, 0);
    EXPECT_EQ(g.attackGain, 2);
    EXPECT_EQ(g.defenceGain, 3);
    EXPECT_EQ(drawModuli(), std::vector<int32_t>(16, 101));
    EXPECT_EQ(h.maxHp, 14);
    EXPECT_EQ(h.hp, 3);
    EXPECT_EQ(h.mp, 2);
    EXPECT_EQ(h.exp, -10);
    EXPECT_EQ(h.nextExp, 14);
}

TEST(Growth, F7FarBeyondTheLimitThenAVictory)
{
    startJourney();
    for (int i = 0; i < 1000; ++i)
        handleKey(KeyF7, 1);
    EXPECT_EQ(hero.nextExp, INT32_MAX);
    EXPECT_EQ(hero.exp, INT32_MIN);
    EXPECT_EQ(hero.level, 1001);
    EXPECT_EQ(countCalls("setControlText"), 0);  // F7 shows nothing

    // A victory with the debt: no level-up, and the loop ends.
    game.distance = 12;
    game.inBattle = 1;
    enemy = {};
    enemy.maxHp = 1;
    enemy.expReward = 500;
    clearCalls();
    heroAction(AttackAction);
    EXPECT_EQ(game.inBattle, 0);
    EXPECT_EQ(hero.exp, INT32_MIN + 500);
    EXPECT_EQ(hero.level, 1001);

    // Experience at the very top pays the saturated requirement once.
    hero.exp = INT32_MAX - 10;
    game.inBattle = 1;
    enemy.hp = 0;
    enemy.expReward = 100;
    heroAction(AttackAction);
    EXPECT_EQ(hero.level, 1002);
    EXPECT_EQ(hero.exp, 0);
    EXPECT_EQ(hero.nextExp, INT32_MAX);
}
