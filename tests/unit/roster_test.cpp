// The opponents by distance.
#include "tests/unit/support.h"

#include "core/roster.h"

static std::string nameAt(int32_t distance, int32_t draw)
{
    scriptDraws({draw});
    return chooseOpponent(distance).name;
}

TEST(Roster, FixedOpponentsDrawNothing)
{
    freshProcess();
    scriptDraws({});
    EnemyRecord guardian = chooseOpponent(35);
    EXPECT_STREQ(guardian.name, "紅玉");
    EXPECT_EQ(guardian.hp, 50);
    EXPECT_EQ(guardian.move1Power, 16);
    EXPECT_STREQ(guardian.move1Text, "の強打!");
    EXPECT_EQ(guardian.move2Power, 0);
    EnemyRecord c = chooseOpponent(75);
    EXPECT_STREQ(c.name, "C");
    EXPECT_EQ(c.hp, 80);
    EnemyRecord goal = chooseOpponent(100);
    EXPECT_STREQ(goal.name, "");
    EXPECT_EQ(goal.hp, 100);
    EXPECT_EQ(goal.expReward, 0);
    EXPECT_STREQ(goal.move1Text, "「....」");
    EnemyRecord boss = chooseOpponent(-1);
    EXPECT_STREQ(boss.name, "ENIAC!");
    EXPECT_EQ(boss.hp, 300);
    EXPECT_EQ(boss.move1Power, 35);
    EXPECT_EQ(boss.move2Power, 42);
    EXPECT_STREQ(boss.move2Text, "は巨体で押しつぶした!");
    EXPECT_TRUE(drawModuli().empty());
}

TEST(Roster, RowsBySpreadDistance)
{
    freshProcess();
    for (int32_t r = 0; r < 4; ++r)
        EXPECT_EQ(nameAt(1, r), "オーク");
    EXPECT_EQ(nameAt(1, 4), "モア");
    for (int32_t r = 0; r < 5; ++r)
        EXPECT_EQ(nameAt(55, r), "ミュー");
    EXPECT_EQ(nameAt(99, 0), "雷鳥");
    for (int32_t r = 1; r < 5; ++r)
        EXPECT_EQ(nameAt(99, r), "炎狐");
    for (int32_t r = 0; r < 4; ++r)
        EXPECT_EQ(nameAt(96, r), "雷鳥");
    EXPECT_EQ(nameAt(96, 4), "炎狐");
    EXPECT_EQ(nameAt(80, 0), "ﾜﾀｼﾉﾅﾏｴﾊﾎﾟﾛﾝﾃﾞｽ");
    EXPECT_EQ(nameAt(-7, 0), "炎狐");  // any index outside the table
    EXPECT_EQ(nameAt(INT32_MAX, 4), "炎狐");
    EXPECT_EQ(drawModuli().back(), 5);
}

TEST(Roster, EveryRecordIsWholeAndOnlyTheBossHasTwoMoves)
{
    freshProcess();
    for (int32_t d = -1; d <= 100; ++d) {
        for (int32_t r = 0; r < 5; ++r) {
            scriptDraws({r});
            EnemyRecord e = chooseOpponent(d);
            EXPECT_EQ(e.hp, e.maxHp) << d;
            EXPECT_GT(e.maxHp, 0) << d;
            EXPECT_EQ(e.move2Power > 0, d == -1) << d;
            if (e.move1Power == 0)
                EXPECT_STREQ(e.move1Text, "") << d;
        }
    }
    scriptDraws({2});
    EnemyRecord cerberus = chooseOpponent(28);  // (28 + 2) / 5 = 6
    EXPECT_STREQ(cerberus.name, "ケルベロス");
    EXPECT_EQ(cerberus.move1Power, 10);
    EXPECT_STREQ(cerberus.move1Text, "は炎を吐いた!");
}

TEST(Roster, MakeEnemyLeavesHpAndMovesEmpty)
{
    EnemyRecord e = makeEnemy("x", 9, 1, 2, 3, 4);
    EXPECT_EQ(e.hp, 0);
    EXPECT_EQ(e.maxHp, 9);
    EXPECT_EQ(e.move1Power + e.move2Power, 0);
    setEnemyMoves(e, 13, "はファイヤを唱えた!", 0, "");
    setEnemyMoves(e, 16, "の強打!", 0, "");
    EXPECT_EQ(e.move1Power, 16);
    EXPECT_STREQ(e.move1Text, "の強打!");
}
