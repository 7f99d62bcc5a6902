// The White Arrow: the grab spot, availability, cursors, the releases on the
// game itself, the refusals, and the first and second arrow.
#include <cstring>

#include "capture/arrow.h"
#include "capture/fingerprint.h"
#include "core/state.h"
#include "shell/sound.h"
#include "tests/unit/support.h"

namespace {

const WindowRef otherWindow = 7;
const char gamePath[] = "C:\\Games\\Tavrenne\\Tavrenne.exe";
const char heroPath[] = "C:\\Tools\\Hero.exe";
const unsigned char workedDigest[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                        0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};

// A process that has just started, with a program under the pointer whose
// file is old enough.
void startProcess()
{
    freshProcess();
    std::strcpy(ownExePath, gamePath);
    FakeFile file;
    file.contents = "MZ";
    file.lastWrite = fileTimeOf(2020, 1, 1);
    addFakeFile(heroPath, file);
    scriptWindowExe(otherWindow, heroPath);
    scriptWindowAtPoint(otherWindow);
    scriptDigest(workedDigest);
}

// A press on the grab spot and a release outside the window.
void shoot()
{
    onLeftButtonDown(60, 60);
    onLeftButtonUp(300, 40);
}

TEST(WhiteArrow, GrabSpotEdges)
{
    EXPECT_TRUE(isOnGrabSpot(51, 51));
    EXPECT_TRUE(isOnGrabSpot(81, 81));
    EXPECT_TRUE(isOnGrabSpot(51, 81));
    for (auto p : {std::make_pair(50, 60), std::make_pair(82, 60), std::make_pair(60, 50),
                   std::make_pair(60, 82), std::make_pair(-60, -60)}) {
        EXPECT_FALSE(isOnGrabSpot(p.first, p.second)) << p.first << "," << p.second;
        startProcess();
        onLeftButtonDown(p.first, p.second);
        EXPECT_EQ(game.aiming, 0);
        EXPECT_TRUE(recordedCalls().empty());
    }
}

TEST(WhiteArrow, PressAimsAndMovesPickTheCursor)
{
    startProcess();
    onMouseMove(60, 60);
    EXPECT_EQ(lastCursor(), HoverCursor);
    onMouseMove(10, 10);
    EXPECT_EQ(lastCursor(), StandardCursor);
    clearCalls();
    onLeftButtonDown(81, 81);
    EXPECT_EQ(game.aiming, 1);
    EXPECT_TRUE(mouseCaptured());
    EXPECT_EQ(lastCursor(), AimCursor);
    EXPECT_EQ(countCalls("invalidate"), 1);
    onMouseMove(500, 10);
    EXPECT_EQ(lastCursor(), AimCursor);
}

TEST(WhiteArrow, UnavailableWhileAHeroWalksWithoutTheOffer)
{
    startProcess();
    game.heroReady = 1;
    onLeftButtonDown(60, 60);
    onMouseMove(60, 60);
    onLeftButtonUp(300, 40);
    EXPECT_EQ(game.aiming, 0);
    EXPECT_FALSE(cursorWasSet());
    EXPECT_TRUE(recordedCalls().empty());
    game.secondArrowReady = 1;
    onLeftButtonDown(60, 60);
    EXPECT_EQ(game.aiming, 1);
}

TEST(WhiteArrow, EveryThirdReleaseOnTheGameItselfIsToldOffAcrossAReset)
{
    startProcess();
    scriptWindowAtPoint(fakeMainWindow);
    scriptWindowExe(otherWindow + 1, gamePath);  // one of the game's own buttons
    const char* box = "box 失敗|ホワイトアローは、窓の外に射ってください。";
    std::vector<int> boxedAt;
    for (int release = 1; release <= 7; ++release) {
        if (release == 3)
            resetGame();
        scriptWindowAtPoint(release % 2 ? fakeMainWindow : otherWindow + 1);
        clearCalls();
        shoot();
        EXPECT_EQ(game.aiming, 0);
        EXPECT_FALSE(mouseCaptured());
        if (events() == std::vector<std::string>{box})
            boxedAt.push_back(release);
        else
            EXPECT_TRUE(events().empty()) << "release " << release;
        EXPECT_EQ(countCalls("fileOpen"), 0);
    }
    EXPECT_EQ(boxedAt, (std::vector<int>{3, 6}));
    EXPECT_EQ(game.arrowMisses, 7);
    EXPECT_EQ(game.heroReady, 0);
}

TEST(WhiteArrow, RefusalsChangeNothingButTheRepaint)
{
    struct Case {
        const char* what;
        const char* box;
    };
    const Case cases[] = {
        {"no executable", "box 失敗|窓を射止めるのに失敗した(原因不明)"},
        {"missing file", "box 失敗|窓を射止めるのに失敗した(原因不明)"},
        {"young file", "box 失敗|窓を射止めた。\nしかし、この窓は若すぎた。"},
    };
    for (const Case& c : cases) {
        startProcess();
        std::strcpy(hero.name, "Keep");
        game.arrowMisses = 2;
        if (std::strcmp(c.what, "no executable") == 0) {
            scriptWindowAtPoint(otherWindow + 5);
        } else if (std::strcmp(c.what, "missing file") == 0) {
            removeFakeFile(heroPath);
        } else {
            FakeFile young;
            young.contents = "MZ";
            young.lastWrite = fileTimeOf(2026, 12, 8);
            setFakeNow(fileTimeOf(2026, 12, 8, 18));
            addFakeFile(heroPath, young);
        }
        GameState gameBefore = game;
        HeroRecord heroBefore = hero;
        clearCalls();
        shoot();
        EXPECT_EQ(events(), std::vector<std::string>{c.box}) << c.what;
        EXPECT_EQ(std::memcmp(&game, &gameBefore, sizeof game), 0) << c.what;
        EXPECT_EQ(std::memcmp(&hero, &heroBefore, sizeof hero), 0) << c.what;
        EXPECT_EQ(countCalls("captureIcon"), 0) << c.what;
        onLeftButtonDown(60, 60);  // available again at once
        EXPECT_EQ(game.aiming, 1) << c.what;
    }
}

TEST(WhiteArrow, ACancelledDragEndsWithoutAShot)
{
    startProcess();
    game.arrowMisses = 2;
    onLeftButtonDown(60, 60);
    GameState aiming = game;
    clearCalls();
    cancelWhiteArrow();
    EXPECT_EQ(game.aiming, 0);
    EXPECT_FALSE(mouseCaptured());
    EXPECT_EQ(countCalls("invalidate"), 1);
    aiming.aiming = 0;
    EXPECT_EQ(std::memcmp(&game, &aiming, sizeof game), 0);
    // A release that still comes is no shot, and a cancel with no drag does nothing.
    onLeftButtonUp(300, 40);
    onLeftButtonUp(120, 120);
    clearCalls();
    cancelWhiteArrow();
    EXPECT_TRUE(recordedCalls().empty());
    EXPECT_EQ(game.arrowMisses, 2);
    EXPECT_EQ(game.heroReady, 0);
    shoot();  // the arrow can be drawn again at once
    EXPECT_EQ(game.heroReady, 1);
}

TEST(WhiteArrow, APathDifferingOnlyInCaseIsAnotherProgram)
{
    startProcess();
    std::strcpy(ownExePath, "C:\\TOOLS\\HERO.EXE");
    shoot();
    EXPECT_EQ(game.arrowMisses, 0);
    EXPECT_EQ(game.heroReady, 1);
}

TEST(WhiteArrow, FirstArrowResetsThenMakesTheHero)
{
    startProcess();
    game.arrowMisses = 4;
    game.stepCounter = 3;
    shoot();
    EXPECT_STREQ(hero.name, "Hero");
    EXPECT_EQ(hero.maxHp, 7);
    EXPECT_EQ(hero.trait, 3);
    EXPECT_EQ(game.heroReady, 1);
    EXPECT_EQ(game.arrowMisses, 4);
    EXPECT_EQ(game.stepCounter, 3);
    EXPECT_EQ(game.timeLeft, 400);
    EXPECT_TRUE(iconSlotFilled(HeroIcon));
    EXPECT_EQ(callsOf("captureIcon")[0].text, heroPath);
    for (Control c : {AdvanceButton, BackButton, RestButton, HealButton, MarkTimeButton,
                      StatusPanel, MessageLog})
        EXPECT_TRUE(controlState(c).shown) << c;
    EXPECT_FALSE(controlState(TrumpCardButton).shown);
    EXPECT_FALSE(controlState(MarkTimeButton).enabled);  // distance 0 is a rest point
    EXPECT_NE(controlState(StatusPanel).text.find("【Hero】Lv1"), std::string::npos);

    // The reset's five empty lines come first, then the sound, the line and the music.
    std::vector<std::string> e = events();
    ASSERT_GE(e.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(e.end() - 4, e.end()),
              (std::vector<std::string>{"sound 3", "log Hero を射止めた!",
                                        "mci open dat\\nemuri.mid alias music",
                                        "mci play music NOTIFY"}));
    EXPECT_EQ(countCalls("destroyCapturedIcons"), 1);
}

TEST(WhiteArrow, SecondArrowStrengthensWithoutAReset)
{
    startProcess();
    shoot();
    game.distance = 55;
    game.secondArrowReady = 1;
    game.timeLeft = 300;
    clearCalls();
    shoot();  // the hero's own program again: not refused
    EXPECT_EQ(game.distance, 55);
    EXPECT_EQ(game.timeLeft, 300);
    EXPECT_EQ(game.secondArrowUsed, 1);
    EXPECT_EQ(hero.maxHp, 55);
    EXPECT_STREQ(hero.name, "Hero");
    EXPECT_TRUE(iconSlotFilled(SecondIcon));
    EXPECT_EQ(countCalls("destroyCapturedIcons"), 0);
    std::vector<std::string> e = events();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0], "sound 3");
    EXPECT_EQ(e[1], "log HP+48 MP+36");
    EXPECT_TRUE(controlState(TrumpCardButton).shown);
    onLeftButtonDown(60, 60);  // used: unavailable for the rest of the game
    EXPECT_EQ(game.aiming, 0);
}

}  // namespace
