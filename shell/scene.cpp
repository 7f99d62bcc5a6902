// The painter: the scene by stage, the hero's icons and bar, the progress
// line, the enemy, the grab icon, and the ending screen.
#include "shell/scene.h"

#include <cstdio>
#include <cstring>

#include "core/arith.h"
#include "core/records.h"
#include "shell/panels.h"
#include "shell/sound.h"

const Rect sceneRect = {0, 0, 128, 128};
const Rect heroRect = {128, 0, 188, 50};
Rect progressRect = {0, 0, 0, 0};

static const char* const pictureFiles[pictureCount] = {
    "dat\\bg_green.dat",  // rest point
    "dat\\bg_red.dat",    // guardian
    "dat\\bg_gray.dat",   // the road
    "dat\\bg_boss.dat",   // loaded, never shown
    "dat\\bg_last.dat",   // the final battle
    "dat\\enemy01.dat",   // every enemy but the final boss
};

void setClientSize(int width, int height)
{
    progressRect = Rect{0, height - 20, width, height};
}

const char* pictureFile(int picture)
{
    return picture >= 0 && picture < pictureCount ? pictureFiles[picture] : nullptr;
}

void loadPictures()
{
    for (int picture = 0; picture < pictureCount; ++picture) {
        if (platform::loadPicture(static_cast<Picture>(picture), pictureFiles[picture]))
            continue;
        char text[300];
        std::snprintf(text, sizeof text, "%s読み込み失敗", pictureFiles[picture]);
        platform::messageBox(text, "", NoOwner);
    }
}

Picture backgroundForStage(int stage)
{
    switch (stage) {
    case GuardianStage: return RedBackground;
    case RestStage: return GreenBackground;
    case FinalStage: return LastBackground;
    default: return GrayBackground;
    }
}

// A hit-point bar: black frame, red empty bar, yellow filled part. Lines
// leave out their end point.
static void drawBar(int left, int y, int frameEnd, int emptyEnd, int32_t percent)
{
    platform::drawLine(BlackPen, left - 1, y, frameEnd, y);
    platform::drawLine(RedPen, left, y, emptyEnd, y);
    if (percent > 0)
        platform::drawLine(YellowPen, left, y, left + percent / 2, y);
}

static void drawEnding()
{
    if (!game.endingShown) {
        playMusic(EndingMusic);
        platform::showControl(ResultPanel);
        fillResult();
        game.endingShown = 1;
    }
    platform::drawIcon(SecondIcon, 115, 32);
    platform::drawIcon(HeroIcon, 90, 30);
    platform::drawText(SmallFont, "宇宙は救われた\nEND", Rect{65, 280, 200, 340}, CentredLines);
}

static void drawEnemy()
{
    if (std::strcmp(enemy.name, "ENIAC!") != 0)
        platform::blendPicture(EnemySprite, 36, 36, 48, 48, 127);
    drawBar(35, 94, 85, 84, percentOf(enemy.hp, enemy.maxHp));
    platform::drawText(SmallFont, enemy.name, Rect{0, 100, 124, 120}, CentredLines);
}

static void drawJourney()
{
    platform::drawPicture(backgroundForStage(game.stage), 0, 0, 128, 128);
    platform::drawIcon(SecondIcon, 170, 7);
    platform::drawIcon(HeroIcon, 144, 5);
    drawBar(135, 43, 186, 185, percentOf(hero.hp, hero.maxHp));
    char progress[64];
    std::snprintf(progress, sizeof progress, "%03d/100億光年 残り時間%03d ", game.distance,
                  game.timeLeft);
    platform::drawText(LogFont, progress, progressRect, BottomLeftOneLine);
    if (game.inBattle)
        drawEnemy();
}

void paintWindow()
{
    platform::beginPaint();
    if (game.ending) {
        drawEnding();
    } else {
        if (game.heroReady)
            drawJourney();
        if (!game.aiming && (!game.heroReady || game.secondArrowReady == 1))
            platform::drawIcon(AppIcon, 50, 50);
    }
    platform::endPaint();
}
