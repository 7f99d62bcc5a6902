// Reset, time, going back and natural recovery.
#include "tests/unit/support.h"

#include "core/journey.h"
#include "core/state.h"
#include "shell/controls.h"
#include "shell/sound.h"

static const char timeUpBox[] = "box Tavrenne|時間切れです。宇宙は滅亡しました。";

TEST(TimeUp, LastUnitShowsTheBoxThenResets)
{
    startJourney();
    game.distance = 12;
    game.timeLeft = 1;
    EXPECT_EQ(spendTime(1), 1);
    std::vector<std::string> e = events();
    ASSERT_GE(e.size(), 2u);
    EXPECT_EQ(e[0], "pause 300");
    EXPECT_EQ(e[1], timeUpBox);
    EXPECT_EQ(callsOf("messageBox")[0].args[0], OwnedByMainWindow);
    EXPECT_EQ(game.timeUp, 0);  // set for the reset, cleared by it
    EXPECT_EQ(game.heroReady, 0);
    EXPECT_EQ(game.distance, 0);
    EXPECT_EQ(game.timeLeft, 400);
    EXPECT_EQ(hero.maxHp, 20);
}

TEST(TimeUp, OneUnitOfTwoIsSpentSilently)
{
    startJourney();
    game.timeLeft = 2;
    EXPECT_EQ(spendTime(1), 0);
    EXPECT_EQ(game.timeLeft, 1);
    EXPECT_TRUE(events().empty());
    EXPECT_TRUE(invalidated(0, 306, 237, 326));  // the progress line
}

TEST(TimeUp, LargerCostIsReportedBeforeTheBox)
{
    startJourney();
    game.timeLeft = 3;
    EXPECT_EQ(spendTime(5), 1);
    std::vector<std::string> e = events();
    ASSERT_GE(e.size(), 4u);
    EXPECT_EQ(e[0], "pause 300");
    EXPECT_EQ(e[1], "log 残り時間を5消費した...。");
    EXPECT_EQ(e[2], "pause 300");
    EXPECT_EQ(e[3], timeUpBox);
}

TEST(TimeUp, NothingOfTheCommandRunsAfterTheBox)
{
    // An Advance on the last unit: no step line, no step sound, no field music.
    startJourney();
    game.timeLeft = 1;
    handleCommand(Advance);
    std::vector<std::string> e = events();
    ASSERT_EQ(e.size(), 7u);  // pause, box, the five empty lines of the reset
    EXPECT_EQ(e[1], timeUpBox);
    EXPECT_EQ(game.distance, 0);
    EXPECT_FALSE(musicIsOpen());

    // A flight whose ten units run out: no running feet, no rest point.
    startJourney();
    game.distance = 33;
    game.inBattle = 1;
    game.timeLeft = 10;
    handleCommand(Back);
    e = events();
    EXPECT_EQ(e[0], "log 逃げた。");
    EXPECT_EQ(e[1], "log 5億光年戻ってしまった...。");
    EXPECT_EQ(e[4], "log 残り時間を10消費した...。");
    EXPECT_EQ(e[6], timeUpBox);
    for (const std::string& event : e)
        EXPECT_NE(event, "sound 7");
    EXPECT_EQ(game.inBattle, 0);

    // Rest on the last five units: the rest happens, then the box, nothing after.
    startJourney();
    game.timeLeft = 5;
    handleCommand(Rest);
    e = events();
    EXPECT_EQ(e[0], "sound 8");
    EXPECT_EQ(e.back(), "log ");
    EXPECT_EQ(countCalls("messageBox"), 1);
}

TEST(Reset, KeepsTheHeroAndTheRunningCounters)
{
    startJourney();
    game.stepCounter = 4;
    game.hpRegenPool = 17;
    game.mpRegenPool = 9;
    game.arrivalVoiceCount = 3;
    game.finalVoiceCount = 2;
    game.arrowMisses = 5;
    game.inBattle = game.ending = game.endingShown = game.secondArrowUsed = 1;
    game.stage = 3;
    game.distance = 70;
    hero.level = 7;
    resetGame();
    EXPECT_EQ(game.stepCounter, 4);
    EXPECT_EQ(game.hpRegenPool, 17);
    EXPECT_EQ(game.mpRegenPool, 9);
    EXPECT_EQ(game.arrivalVoiceCount, 3);
    EXPECT_EQ(game.finalVoiceCount, 2);
    EXPECT_EQ(game.arrowMisses, 5);
    EXPECT_EQ(hero.level, 7);
    EXPECT_EQ(game.atRestPoint, 1);
    EXPECT_EQ(game.stage, 2);
    EXPECT_EQ(game.inBattle + game.ending + game.endingShown + game.secondArrowUsed + game.distance, 0);
    EXPECT_EQ(controlState(MessageLog).text, " >\n >\n >\n >\n >\n");
}

TEST(Reset, HidesTheControlsStopsTheMusicAndDropsTheIcons)
{
    startJourney();
    playMusic(FieldMusic);
    clearCalls();
    resetGame();
    std::vector<int64_t> hidden;
    for (const RecordedCall& c : callsOf("hideControl"))
        hidden.push_back(c.args[0]);
    EXPECT_EQ(hidden, (std::vector<int64_t>{AdvanceButton, BackButton, RestButton, HealButton,
                                            TrumpCardButton, MarkTimeButton, StatusPanel,
                                            MessageLog, ResultPanel}));
    EXPECT_FALSE(musicIsOpen());
    EXPECT_EQ(recordedCalls().back().verb, "destroyCapturedIcons");
    EXPECT_EQ(callsOf("invalidate")[0].text, "whole");
}

TEST(GoBack, ClampsAtZeroButReportsTheRequestedUnits)
{
    startJourney();
    game.distance = 3;
    goBack(5);
    EXPECT_EQ(game.distance, 0);
    EXPECT_EQ(events(), (std::vector<std::string>{"log 5億光年戻ってしまった...。", "pause 300"}));

    clearCalls();
    goBack(1);
    EXPECT_EQ(game.distance, 0);
    EXPECT_TRUE(events().empty());
}

TEST(Regenerate, PoolsPayOutWholeThresholds)
{
    startJourney();
    hero.hp = 20;
    hero.maxHp = 30;
    hero.mp = 0;
    game.hpRegenPool = game.mpRegenPool = 0;
    regenerate();
    regenerate();
    EXPECT_EQ(hero.hp, 20);
    EXPECT_EQ(countCalls("setControlText"), 0);
    regenerate();  // the pool reaches 60: one point, 10 kept
    EXPECT_EQ(hero.hp, 21);
    EXPECT_EQ(game.hpRegenPool, 10);
    EXPECT_EQ(hero.mp, 0);  // no MP, no MP recovery
    EXPECT_EQ(callsOf("setControlText").back().args[0], StatusPanel);
    EXPECT_EQ(countCalls("invalidate"), 3);
    EXPECT_TRUE(invalidated(128, 0, 188, 50));
}

TEST(Regenerate, TraitsLowerTheirThreshold)
{
    startJourney();
    hero.trait = 3;
    hero.hp = 20;
    hero.maxHp = 30;
    hero.mp = 20;
    hero.maxMp = 30;
    regenerate();
    regenerate();  // HP pool 40 passes 35; MP pool 40 stays below 50
    EXPECT_EQ(hero.hp, 21);
    EXPECT_EQ(game.hpRegenPool, 5);
    EXPECT_EQ(hero.mp, 20);

    startJourney();
    hero.trait = 4;
    hero.hp = 20;
    hero.maxHp = 30;
    hero.mp = 20;
    hero.maxMp = 30;
    regenerate();
    regenerate();
    EXPECT_EQ(hero.hp, 20);
    EXPECT_EQ(hero.mp, 21);
    EXPECT_EQ(game.mpRegenPool, 5);
}

TEST(Regenerate, ClippedRiseLeavesThePanelAlone)
{
    startJourney();
    hero.hp = hero.maxHp = 40;
    game.hpRegenPool = 30;
    regenerate();  // 70: one point, clipped at the maximum
    EXPECT_EQ(hero.hp, 40);
    EXPECT_EQ(game.hpRegenPool, 20);
    EXPECT_EQ(countCalls("setControlText"), 0);
}

// A rise cut short by the maximum still changes the value: the panel must
// show it (it would otherwise read one point below the hero's MP until the
// next rebuild).
TEST(Regenerate, RiseToTheMaximumRebuildsThePanel)
{
    startJourney();
    hero.hp = hero.maxHp = 40;
    hero.mp = 110;
    hero.maxMp = 111;
    game.hpRegenPool = 0;
    game.mpRegenPool = 0;
    regenerate();  // MP pool 110: two points, cut to one by the maximum
    EXPECT_EQ(hero.mp, 111);
    EXPECT_EQ(game.mpRegenPool, 10);
    ASSERT_EQ(countCalls("setControlText"), 1);
    EXPECT_EQ(callsOf("setControlText").back().args[0], StatusPanel);
    EXPECT_NE(callsOf("setControlText").back().text.find("111/111"), std::string::npos);
}
