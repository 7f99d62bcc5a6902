// The keyboard map, its gates, the button filter and the click route.
#include "tests/unit/support.h"

#include "capture/arrow.h"
#include "core/journey.h"
#include "core/state.h"
#include "shell/controls.h"

TEST(Keys, NothingBeforeAHeroButTheFocusReturns)
{
    freshProcess();
    for (unsigned key : {KeyUp, KeyDown, KeyLeft, KeyRight, KeyReturn, KeySpace, KeyF7, KeyF11})
        EXPECT_FALSE(dispatchKey(key, 1));
    EXPECT_EQ(countCalls("focusMainWindow"), 8);
    EXPECT_EQ(hero.level, 0);
    EXPECT_EQ(countCalls("hideControl"), 0);  // F11 did not reset
}

TEST(Keys, CommandKeysFollowTheirButtons)
{
    startJourney();
    updateControls();
    game.atRestPoint = 0;
    game.distance = 4;
    platform::enableControl(RestButton, false);
    clearCalls();
    EXPECT_FALSE(dispatchKey(KeyReturn, 1));  // Rest disabled
    EXPECT_FALSE(dispatchKey(KeySpace, 1));   // TrumpCard disabled
    EXPECT_FALSE(dispatchKey('A', 1));
    EXPECT_FALSE(dispatchKey(KeyUp, 2));  // merged repeats are dropped
    EXPECT_EQ(game.timeLeft, 400);

    scriptDraws({90});
    EXPECT_TRUE(dispatchKey(KeyUp, 1));
    EXPECT_EQ(game.distance, 5);
    scriptDraws({});
    EXPECT_TRUE(dispatchKey(KeyDown, 0x00010001));  // repeat count is the low word
    EXPECT_EQ(game.distance, 4);
}

TEST(Keys, F7RaisesALevelSilently)
{
    startJourney();
    game.inBattle = 1;
    EXPECT_TRUE(dispatchKey(KeyF7, 1));
    EXPECT_EQ(hero.level, 2);
    EXPECT_EQ(hero.exp, -10);
    EXPECT_EQ(countCalls("setControlText") + countCalls("invalidate") + countCalls("playWave"), 0);
}

TEST(Keys, AfterTheEndingOnlyF11)
{
    startJourney();
    game.ending = 1;
    EXPECT_FALSE(dispatchKey(KeyF7, 1));
    EXPECT_FALSE(dispatchKey(KeyUp, 1));
    EXPECT_EQ(countCalls("focusMainWindow"), 0);
    EXPECT_TRUE(dispatchKey(KeyF11, 1));
    EXPECT_EQ(game.ending, 0);
    EXPECT_EQ(game.heroReady, 0);
}

TEST(Keys, ButtonFilterNeverClicksTheButton)
{
    startJourney();
    updateControls();
    clearCalls();
    buttonKeyDown(KeySpace, 3);  // merged repeats: dropped before the map, focus untouched
    EXPECT_EQ(countCalls("focusMainWindow"), 0);
    buttonKeyDown(KeySpace, 1);  // the TrumpCard key, disabled here
    EXPECT_EQ(countCalls("focusMainWindow"), 1);
    EXPECT_EQ(game.timeLeft, 400);
}

TEST(Clicks, RouteThroughTheCommandThenTheFocus)
{
    startJourney();
    game.distance = 3;
    game.atRestPoint = 0;
    scriptDraws({});
    onCommand(Back, 0x12345);
    EXPECT_EQ(game.distance, 2);
    EXPECT_EQ(recordedCalls().back().verb, "focusMainWindow");

    // While the time-up flag stands, a click only resets the game.
    startJourney();
    game.distance = 3;
    game.timeUp = 1;
    onCommand(Back, 0);
    EXPECT_EQ(game.distance, 0);
    EXPECT_EQ(game.timeUp, 0);
    EXPECT_EQ(game.timeLeft, 400);
    EXPECT_EQ(countCalls("focusMainWindow"), 0);
}

TEST(Controls, ShowAndHideInTheirOrder)
{
    freshProcess();
    showControls();
    std::vector<int64_t> shown;
    for (const RecordedCall& c : callsOf("showControl"))
        shown.push_back(c.args[0]);
    EXPECT_EQ(shown, (std::vector<int64_t>{AdvanceButton, BackButton, RestButton, HealButton,
                                           MarkTimeButton, StatusPanel, MessageLog}));
    EXPECT_FALSE(controlState(TrumpCardButton).shown);
    EXPECT_FALSE(controlState(ResultPanel).shown);
}

// F11 while the second arrow is drawn: the game starts again and lets go of
// the pointer, so the release that follows neither shoots nor leaves the
// pointer held by the game.
TEST(Keys, F11InTheMiddleOfADragLetsGoOfThePointer)
{
    startJourney();
    game.secondArrowReady = 1;
    onLeftButtonDown(60, 60);
    ASSERT_TRUE(mouseCaptured());
    EXPECT_TRUE(dispatchKey(KeyF11, 1));
    EXPECT_EQ(game.aiming, 0);
    EXPECT_FALSE(mouseCaptured());
    clearCalls();
    onLeftButtonUp(300, 40);
    EXPECT_EQ(game.heroReady, 0);
    EXPECT_EQ(countCalls("fileOpen"), 0);
    EXPECT_FALSE(mouseCaptured());
}
