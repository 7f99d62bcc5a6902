// What the painter draws, layer by layer.
#include "tests/unit/support.h"

#include "shell/scene.h"
#include "shell/sound.h"

static std::vector<std::string> drawn()
{
    std::vector<std::string> out;
    for (const RecordedCall& c : recordedCalls())
        if (c.verb != "beginPaint" && c.verb != "endPaint")
            out.push_back(describeCall(c));
    return out;
}

TEST(Paint, FirstScreenIsTheGrabIconAlone)
{
    freshProcess();
    paintWindow();
    EXPECT_EQ(drawn(), (std::vector<std::string>{"drawIcon 0 50 50"}));
    game.aiming = 1;
    clearCalls();
    paintWindow();
    EXPECT_TRUE(drawn().empty());
}

TEST(Paint, JourneyLayersInOrder)
{
    startJourney();
    game.stage = 0;
    game.distance = 7;
    game.timeLeft = 393;
    hero.hp = 0;
    paintWindow();
    EXPECT_EQ(drawn(), (std::vector<std::string>{
                           "drawPicture 2 0 0 128 128", "drawIcon 2 170 7", "drawIcon 1 144 5",
                           "drawLine 2 134 43 186 43", "drawLine 0 135 43 185 43",
                           "drawText 1 0 306 237 326 1 \"007/100億光年 残り時間393 \""}));

    // Full hit points: the yellow bar covers the red one exactly.
    hero.hp = hero.maxHp;
    game.inBattle = 1;
    game.secondArrowReady = 1;
    enemy = {};
    std::snprintf(enemy.name, sizeof enemy.name, "Foe");
    enemy.hp = enemy.maxHp = 9;
    clearCalls();
    paintWindow();
    std::vector<std::string> d = drawn();
    ASSERT_EQ(d.size(), 13u);
    EXPECT_EQ(d[5], "drawLine 1 135 43 185 43");
    EXPECT_EQ(d[7], "blendPicture 5 36 36 48 48 127");
    EXPECT_EQ(d[8], "drawLine 2 34 94 85 94");
    EXPECT_EQ(d[9], "drawLine 0 35 94 84 94");
    EXPECT_EQ(d[10], "drawLine 1 35 94 85 94");  // one pixel beyond the red bar
    EXPECT_EQ(d[11].substr(0, 30), "drawText 0 0 100 124 120 0 \"Fo");
    EXPECT_EQ(recordedCalls().back().verb, "endPaint");

    // The grab icon again while the second arrow may be shot.
    game.inBattle = 0;
    clearCalls();
    paintWindow();
    EXPECT_EQ(drawn().back(), "drawIcon 0 50 50");
}

TEST(Paint, BackgroundsByStage)
{
    EXPECT_EQ(backgroundForStage(0), GrayBackground);
    EXPECT_EQ(backgroundForStage(1), RedBackground);
    EXPECT_EQ(backgroundForStage(2), GreenBackground);
    EXPECT_EQ(backgroundForStage(3), LastBackground);
    EXPECT_EQ(backgroundForStage(4), GrayBackground);
    EXPECT_EQ(backgroundForStage(-1), GrayBackground);
}

TEST(Paint, FinalBossHasNoSprite)
{
    startJourney();
    game.inBattle = 1;
    enemy = {};
    std::snprintf(enemy.name, sizeof enemy.name, "ENIAC!");
    enemy.hp = 150;
    enemy.maxHp = 300;
    paintWindow();
    EXPECT_EQ(countCalls("blendPicture"), 0);
    EXPECT_EQ(callsOf("drawLine").back().args, (std::vector<int64_t>{YellowPen, 35, 94, 60, 94}));
    EXPECT_EQ(callsOf("drawText").back().text, "ENIAC!");
}

TEST(Paint, EndingScreenActsOnce)
{
    startJourney();
    game.ending = 1;
    paintWindow();
    paintWindow();
    EXPECT_EQ(countCalls("showControl"), 1);
    EXPECT_EQ(countCalls("sendMusicCommand"), 2);  // open and play, once
    EXPECT_EQ(callsOf("sendMusicCommand")[0].text, "open dat\\aoi.mid alias music");
    EXPECT_EQ(countCalls("setControlText"), 1);  // the ResultPanel
    EXPECT_EQ(countCalls("drawPicture") + countCalls("drawLine"), 0);
    std::vector<RecordedCall> texts = callsOf("drawText");
    EXPECT_EQ(texts[0].text, "宇宙は救われた\nEND");
    EXPECT_EQ(texts[0].args, (std::vector<int64_t>{SmallFont, 65, 280, 200, 340, CentredLines}));
    EXPECT_EQ(callsOf("drawIcon")[0].args, (std::vector<int64_t>{SecondIcon, 115, 32}));
    EXPECT_EQ(callsOf("drawIcon")[1].args, (std::vector<int64_t>{HeroIcon, 90, 30}));
}

TEST(Pictures, EachFailureHasItsOwnBox)
{
    freshProcess();
    failPictureLoad(RedBackground);
    failPictureLoad(EnemySprite);
    loadPictures();
    EXPECT_EQ(countCalls("loadPicture"), 6);
    EXPECT_EQ(events(), (std::vector<std::string>{"box |dat\\bg_red.dat読み込み失敗",
                                                  "box |dat\\enemy01.dat読み込み失敗"}));
    EXPECT_EQ(callsOf("messageBox")[0].args[0], NoOwner);
}
