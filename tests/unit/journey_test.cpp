// The commands, the step resolution and the buttons' availability.
#include "tests/unit/support.h"

#include "core/journey.h"
#include "shell/sound.h"

// Advances from `from` to the next point with the given encounter draws.
static void advanceFrom(int32_t from, std::initializer_list<int32_t> draws)
{
    game.distance = from;
    game.atRestPoint = from % 10 == 0;
    scriptDraws(draws);
    clearCalls();
    handleCommand(Advance);
}

TEST(Step, OntoTheGoalAlwaysStartsItsBattle)
{
    startJourney();
    playMusic(FieldMusic);
    advanceFrom(99, {100});  // the highest roll still meets the opponent
    EXPECT_EQ(game.distance, 100);
    EXPECT_EQ(game.epilogueWalk, 1);
    EXPECT_EQ(game.inBattle, 1);
    EXPECT_STREQ(enemy.name, "");
    EXPECT_EQ(enemy.hp, 100);
    EXPECT_FALSE(musicIsOpen());
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{101}));
    EXPECT_EQ(controlState(AdvanceButton).text, "攻撃");
    EXPECT_EQ(controlState(BackButton).text, "逃げる");
}

TEST(Step, UnbeatenGuardianMeansACertainBattle)
{
    startJourney();
    advanceFrom(34, {100});
    EXPECT_EQ(game.stage, 1);
    EXPECT_EQ(game.inBattle, 1);
    EXPECT_STREQ(enemy.name, "紅玉");

    // Stepping back onto it shows the guardian but rolls nothing...
    startJourney();
    game.distance = 36;
    scriptDraws({});
    handleCommand(Back);
    EXPECT_EQ(game.distance, 35);
    EXPECT_EQ(game.stage, 1);
    EXPECT_EQ(game.inBattle, 0);
    EXPECT_TRUE(drawModuli().empty());
    // ...and marking time there brings the battle.
    scriptDraws({100});
    handleCommand(MarkTime);
    EXPECT_EQ(game.inBattle, 1);

    // A beaten guardian leaves an ordinary road point.
    startJourney();
    game.boss35Beaten = 1;
    advanceFrom(34, {34});
    EXPECT_EQ(game.stage, 0);
    EXPECT_EQ(game.inBattle, 0);
}

TEST(Step, SecondArrowPointOffersTheArrowOnce)
{
    startJourney();
    game.stepCounter = 2;
    advanceFrom(54, {});
    EXPECT_EQ(game.secondArrowReady, 1);
    EXPECT_EQ(logged().back(), "【二の矢】を放てます。");
    EXPECT_TRUE(drawModuli().empty());
    EXPECT_EQ(game.stepCounter, 2);
    advanceFrom(55, {50});
    EXPECT_EQ(game.secondArrowReady, 0);

    // Once shot, 55 is an ordinary point with the normal roll.
    startJourney();
    game.secondArrowUsed = 1;
    advanceFrom(54, {33, 1});
    EXPECT_EQ(game.secondArrowReady, 0);
    EXPECT_EQ(game.inBattle, 1);
    EXPECT_STREQ(enemy.name, "ミュー");
}

TEST(Step, RestPointsInEitherDirection)
{
    startJourney();
    advanceFrom(39, {});
    EXPECT_EQ(logged().back(), "【やすむ】コマンドが使えます。");
    EXPECT_EQ(game.stage, 2);
    EXPECT_TRUE(controlState(RestButton).enabled);
    EXPECT_FALSE(controlState(MarkTimeButton).enabled);
    EXPECT_TRUE(drawModuli().empty());

    game.distance = 51;
    game.atRestPoint = 0;
    clearCalls();
    handleCommand(Back);
    EXPECT_EQ(game.distance, 50);
    EXPECT_EQ(game.atRestPoint, 1);
    EXPECT_EQ(logged(), (std::vector<std::string>{"もどる", "【やすむ】コマンドが使えます。"}));
}

TEST(Step, EncounterThresholdAndTraitFive)
{
    startJourney();
    advanceFrom(1, {33, 0});
    EXPECT_EQ(game.inBattle, 1);
    startJourney();
    advanceFrom(1, {34});
    EXPECT_EQ(game.inBattle, 0);

    startJourney();
    hero.trait = 5;
    advanceFrom(1, {44, 0});
    EXPECT_EQ(game.inBattle, 1);
    startJourney();
    hero.trait = 5;
    advanceFrom(1, {45});
    EXPECT_EQ(game.inBattle, 0);
}

TEST(Step, AdvanceOutsideBattleInOrder)
{
    startJourney();
    playMusic(FieldMusic);
    advanceFrom(1, {50});
    EXPECT_EQ(events(), (std::vector<std::string>{"log すすむ", "sound 1"}));
    EXPECT_EQ(game.timeLeft, 399);
    EXPECT_EQ(game.distance, 2);
}

TEST(Step, EverySixthCountedStepGivesOneHp)
{
    startJourney();
    hero.hp = 10;
    hero.maxHp = 20;
    game.stepCounter = 0;
    game.hpRegenPool = 0;
    for (int32_t d = 0; d < 5; ++d)
        advanceFrom(d, {90});
    EXPECT_EQ(hero.hp, 11);  // the pool passed 50 on the fifth step
    EXPECT_EQ(game.stepCounter, 5);
    advanceFrom(5, {90});
    EXPECT_EQ(hero.hp, 12);  // the step bonus, besides regeneration
    EXPECT_EQ(game.stepCounter, 0);

    startJourney();
    game.stepCounter = 0;
    for (int32_t d = 0; d < 6; ++d)
        advanceFrom(d, {90});
    EXPECT_EQ(hero.hp, hero.maxHp);
}

TEST(Flight, LandsFiveBackAndMayMakeARestPoint)
{
    startJourney();
    game.distance = 33;
    game.inBattle = 1;
    game.atRestPoint = 0;
    handleCommand(Back);
    EXPECT_EQ(game.distance, 28);
    EXPECT_EQ(game.atRestPoint, 0);
    EXPECT_EQ(game.timeLeft, 390);
    EXPECT_EQ(game.inBattle, 0);

    startJourney();
    game.distance = 35;
    game.inBattle = 1;
    game.stage = 1;
    clearCalls();
    handleCommand(Back);
    EXPECT_EQ(game.distance, 30);
    EXPECT_EQ(game.stage, 0);  // the road picture, though a rest point
    EXPECT_TRUE(controlState(RestButton).enabled);
    EXPECT_EQ(game.boss35Beaten, 0);
    EXPECT_TRUE(drawModuli().empty());  // no step resolution
    std::vector<std::string> e = events();
    EXPECT_EQ(e[0], "log 逃げた。");
    EXPECT_EQ(e.back(), "sound 7");

    startJourney();
    game.distance = 3;
    game.inBattle = 1;
    clearCalls();
    handleCommand(Back);
    EXPECT_EQ(game.distance, 0);
    EXPECT_EQ(game.atRestPoint, 1);
    EXPECT_EQ(logged()[1], "5億光年戻ってしまった...。");
}

TEST(Flight, RefusedAtTheGoal)
{
    startJourney();
    game.distance = 100;
    game.inBattle = 1;
    handleCommand(Back);
    EXPECT_EQ(events(), (std::vector<std::string>{"log 逃げられない!"}));
    EXPECT_EQ(game.timeLeft, 400);
    EXPECT_EQ(countCalls("enableControl"), 0);
}

TEST(Commands, RefusalsCostNothing)
{
    startJourney();
    handleCommand(Back);  // at 0: nothing at all, not even the buttons
    EXPECT_TRUE(recordedCalls().empty());

    game.distance = 12;
    game.atRestPoint = 0;
    handleCommand(Rest);
    game.inBattle = 1;
    handleCommand(Rest);
    handleCommand(MarkTime);
    EXPECT_EQ(logged(), (std::vector<std::string>{"休憩は10の倍数ポイントでのみ可能です。", "戦闘中です!"}));
    EXPECT_EQ(game.timeLeft, 400);
}

TEST(Rest, FillsHpAndAQuarterOfMp)
{
    startJourney();
    hero.hp = 3;
    hero.maxMp = 7;
    hero.mp = 0;
    handleCommand(Rest);
    EXPECT_EQ(hero.hp, 20);
    EXPECT_EQ(hero.mp, 1);
    EXPECT_EQ(game.timeLeft, 395);
    EXPECT_EQ(game.atRestPoint, 1);
    EXPECT_EQ(events(), (std::vector<std::string>{"sound 8", "log Heroは身体を休めた。", "pause 300",
                                                  "log 残り時間を5消費した...。"}));

    hero.maxMp = 0;
    hero.mp = 0;
    handleCommand(Rest);
    EXPECT_EQ(hero.mp, 0);
    hero.maxMp = 40;
    hero.mp = 35;
    handleCommand(Rest);
    EXPECT_EQ(hero.mp, 40);
}

TEST(Availability, FollowsTheStateTable)
{
    startJourney();
    hero.mp = 4;
    hero.trumpCost = 5;
    game.secondArrowUsed = 1;
    updateControls();
    EXPECT_FALSE(controlState(HealButton).enabled);
    EXPECT_FALSE(controlState(TrumpCardButton).enabled);  // not in a battle
    EXPECT_TRUE(controlState(RestButton).enabled);
    EXPECT_FALSE(controlState(MarkTimeButton).enabled);
    EXPECT_EQ(controlState(AdvanceButton).text, "すすむ");
    EXPECT_EQ(controlState(BackButton).text, "もどる");

    hero.mp = 5;
    game.inBattle = 1;
    game.atRestPoint = 0;
    updateControls();
    EXPECT_TRUE(controlState(HealButton).enabled);
    EXPECT_TRUE(controlState(TrumpCardButton).enabled);
    EXPECT_FALSE(controlState(RestButton).enabled);
    EXPECT_TRUE(controlState(MarkTimeButton).enabled);
    EXPECT_TRUE(controlState(AdvanceButton).enabled);
    EXPECT_TRUE(controlState(BackButton).enabled);

    hero.trumpCost = 70;
    updateControls();
    EXPECT_FALSE(controlState(TrumpCardButton).enabled);
    game.secondArrowUsed = 0;
    hero.trumpCost = 5;
    updateControls();
    EXPECT_FALSE(controlState(TrumpCardButton).enabled);
}
