// The White Arrow's rules: when it can be drawn, the cursor over the grab
// spot, the drag, and the shot with its refusals, first and second arrow.
#include "capture/arrow.h"

#include <cstdint>
#include <cstring>

#include "capture/fingerprint.h"
#include "capture/hero.h"
#include "capture/second_arrow.h"
#include "core/journey.h"
#include "core/records.h"
#include "core/state.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/platform.h"
#include "shell/sound.h"

char ownExePath[260];

static const char failureCaption[] = "失敗";

bool isOnGrabSpot(int x, int y)
{
    return x >= 51 && x <= 81 && y >= 51 && y <= 81;
}

bool whiteArrowAvailable()
{
    return !game.heroReady || game.secondArrowReady;
}

void onLeftButtonDown(int x, int y)
{
    if (!isOnGrabSpot(x, y) || !whiteArrowAvailable())
        return;
    platform::setCursorShape(AimCursor);
    platform::captureMouse();
    game.aiming = 1;
    platform::invalidate(nullptr);  // the grab icon is not drawn while aiming
}

void onMouseMove(int x, int y)
{
    if (game.aiming)
        platform::setCursorShape(AimCursor);
    else if (whiteArrowAvailable())
        platform::setCursorShape(isOnGrabSpot(x, y) ? HoverCursor : StandardCursor);
}

void onLeftButtonUp(int x, int y)
{
    if (game.aiming)
        releaseWhiteArrow(x, y);
}

void cancelWhiteArrow()
{
    if (!game.aiming)
        return;
    game.aiming = 0;
    platform::releaseMouse();
    platform::invalidate(nullptr);  // the grab icon is drawn again
}

void setCapturedIcon(const char* path, int slot)
{
    platform::captureIcon(path, static_cast<Icon>(slot));
    platform::invalidate(nullptr);
}

// A release on the game itself: counted, and every third one is told off.
static void countOwnWindowHit()
{
    if (game.arrowMisses < INT32_MAX)
        game.arrowMisses += 1;
    if (game.arrowMisses % 3 == 0)
        platform::messageBox("ホワイトアローは、窓の外に射ってください。", failureCaption, OwnedByMainWindow);
}

static void showFailure()
{
    platform::messageBox("窓を射止めるのに失敗した(原因不明)", failureCaption, OwnedByMainWindow);
}

static void shootFirstArrow(const char* path, const char* fingerprint)
{
    resetGame();
    deriveHero(hero, fingerprint, false);
    playSoundEffect(SuccessSound);
    heroNameFromPath(hero, path);
    appendLogf("%s を射止めた!", hero.name);
    setCapturedIcon(path, HeroIcon);
    playMusic(FieldMusic);
    game.heroReady = 1;
    showControls();
    refreshStatus();
    updateControls();
}

static void shootSecondArrow(const char* path, const char* fingerprint)
{
    playSoundEffect(SuccessSound);
    setCapturedIcon(path, SecondIcon);
    applySecondArrow(fingerprint);
}

void releaseWhiteArrow(int x, int y)
{
    game.aiming = 0;
    platform::releaseMouse();
    platform::invalidate(nullptr);

    WindowRef window = platform::windowAtClientPoint(x, y);
    if (platform::isMainWindow(window)) {
        countOwnWindowHit();
        return;
    }
    char path[260];
    if (!platform::exePathOfWindow(window, path)) {
        showFailure();
        return;
    }
    path[sizeof path - 1] = '\0';
    // Byte for byte: a path differing only in letter case is another program.
    if (std::strcmp(path, ownExePath) == 0) {
        countOwnWindowHit();
        return;
    }
    char fingerprint[fingerprintSize];
    int result = fingerprintFile(path, fingerprint);
    if (result == FingerprintFailed) {
        showFailure();
        return;
    }
    if (result == FingerprintTooYoung) {
        platform::messageBox("窓を射止めた。\nしかし、この窓は若すぎた。", failureCaption, OwnedByMainWindow);
        return;
    }
    if (game.secondArrowReady)
        shootSecondArrow(path, fingerprint);
    else
        shootFirstArrow(path, fingerprint);
}
