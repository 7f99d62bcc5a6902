// The five space backgrounds, 128 x 128: the road, the rest point, the
// guardian's nebula, the black hole and the edge of the universe.
#include "pictures.h"

#include "noise.h"
#include "quantize.h"
#include "space.h"

#include <cmath>

static const int side = 128;

const PictureAsset pictureAssets[] = {
    {"bg_green.dat", "rest point", paintRestPoint},
    {"bg_red.dat", "guardian", paintGuardian},
    {"bg_gray.dat", "the road", paintRoad},
    {"bg_boss.dat", "boss (never shown)", paintBossLair},
    {"bg_last.dat", "the edge", paintEdge},
    {"enemy01.dat", "enemy sprite", paintEnemy},
};
const int pictureAssetCount = sizeof pictureAssets / sizeof pictureAssets[0];

// ---- The road: deep space, a faint band of the galaxy, far galaxies ----

static float roadBand(float x, float y)
{
    // Distance from the line through (0, 112) and (128, 24).
    float d = (88.0f * x + 128.0f * y - 128.0f * 112.0f) / 155.3f;
    return std::exp(-d * d / (2.0f * 17.0f * 17.0f));
}

static float lowerLeft(float x, float y)
{
    float dx = x / 128.0f, dy = (128.0f - y) / 128.0f;
    return clampUnit(1.0f - 1.5f * std::sqrt(dx * dx + dy * dy));
}

static float roadStarDensity(float x, float y)
{
    return 0.3f + 0.7f * roadBand(x, y);
}

Canvas paintRoad()
{
    Canvas c = makeCanvas(side, side, Color{0, 0, 0});
    paintVerticalGradient(c, rgb(5, 6, 15), rgb(13, 12, 24));
    static const Color dust[] = {rgb(20, 22, 40), rgb(60, 62, 86), rgb(120, 118, 138), rgb(190, 186, 200)};
    NebulaStyle band{11u, 0.045f, 2.2f, 0.28f, 0.7f, dust, 4};
    paintNebula(c, band, roadBand);
    static const Color teal[] = {rgb(10, 30, 40), rgb(30, 80, 100), rgb(90, 150, 170)};
    NebulaStyle wisp{13u, 0.05f, 2.0f, 0.3f, 1.8f, teal, 3};
    paintNebula(c, wisp, lowerLeft);
    reduceColors(c, 20);
    paintStars(c, 101u, 520, 0.9f, roadStarDensity);
    paintGalaxy(c, 99.0f, 27.0f, 11.0f, -0.55f, 0.42f, rgb(255, 236, 200), rgb(150, 170, 230));
    paintGalaxy(c, 22.0f, 94.0f, 4.5f, 0.9f, 0.6f, rgb(230, 210, 190), rgb(120, 130, 170));
    return c;
}

// ---- The rest point: a green world under a soft green veil ----

static float upperLeft(float x, float y)
{
    float d = std::sqrt(x * x + y * y) / 128.0f;
    return clampUnit(1.1f - d);
}

Canvas paintRestPoint()
{
    Canvas c = makeCanvas(side, side, Color{0, 0, 0});
    paintVerticalGradient(c, rgb(3, 12, 14), rgb(5, 18, 14));
    static const Color veil[] = {rgb(10, 40, 40), rgb(30, 110, 80), rgb(120, 200, 130), rgb(220, 250, 200)};
    NebulaStyle nebula{23u, 0.035f, 2.5f, 0.3f, 0.6f, veil, 4};
    paintNebula(c, nebula, upperLeft);
    reduceColors(c, 12);
    paintStars(c, 202u, 260, 0.8f, nullptr);
    static const Color land[] = {rgb(6, 36, 56), rgb(12, 72, 84), rgb(30, 110, 100),
                                 rgb(50, 140, 70), rgb(100, 170, 70), rgb(170, 200, 110)};
    PlanetStyle world{84.0f, 142.0f, 74.0f, -0.7f, -0.8f, 0.5f, 31u, 0.0f, 0.5f, 0.42f, land, 6,
                      rgb(140, 255, 200)};
    paintPlanet(c, world);
    static const Color rock[] = {rgb(60, 70, 60), rgb(120, 130, 110), rgb(180, 190, 170)};
    PlanetStyle moon{28.0f, 36.0f, 7.0f, -0.7f, -0.8f, 0.5f, 37u, 0.0f, 0.0f, 0.0f, rock, 3, rgb(60, 90, 80)};
    paintPlanet(c, moon);
    reduceColors(c, 40);
    return c;
}

// ---- The guardian: a red maelstrom around a dark, watching eye ----

static const float eyeX = 64.0f;
static const float eyeY = 58.0f;

// Density of the maelstrom: noise sampled along a spiral that winds tighter
// towards the centre, emptied inside the eye and thinning at the corners.
static float maelstromDensity(float x, float y)
{
    float dx = (x - eyeX) / 1.15f;
    float dy = y - eyeY;
    float r = std::sqrt(dx * dx + dy * dy);
    float a = std::atan2(dy, dx) + 42.0f / (r + 12.0f);
    float sx = r * std::cos(a) * 0.045f;
    float sy = r * std::sin(a) * 0.045f;
    float n = fractalNoise(sx + 3.0f, sy + 3.0f, 41u, 5, 0.55f);
    float ring = std::exp(-(r - 40.0f) * (r - 40.0f) / (2.0f * 18.0f * 18.0f));
    float hollow = clampUnit((r - 14.0f) / 14.0f);
    return clampUnit((n - 0.36f) * 2.3f) * (0.2f + 0.9f * ring) * hollow;
}

static void paintMaelstrom(Canvas& c)
{
    static const Color blood[] = {rgb(30, 0, 6), rgb(100, 6, 18), rgb(180, 30, 26),
                                  rgb(235, 100, 50), rgb(255, 200, 140)};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            float d = maelstromDensity(static_cast<float>(x), static_cast<float>(y));
            if (d > 0)
                addPixel(c, x, y, scaled(rampColor(blood, 5, d), 0.2f + 0.8f * d));
        }
    }
}

// The pupil: an upright slit of dull red light in the empty centre.
static void paintPupil(Canvas& c)
{
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            float dx = (static_cast<float>(x) + 0.5f - eyeX) / 2.2f;
            float dy = (static_cast<float>(y) + 0.5f - eyeY) / 9.0f;
            float f = std::exp(-(dx * dx + dy * dy) * 1.6f);
            if (f > 0.01f)
                addPixel(c, x, y, scaled(rgb(255, 50, 30), f * 0.9f));
        }
    }
}

Canvas paintGuardian()
{
    Canvas c = makeCanvas(side, side, Color{0, 0, 0});
    paintVerticalGradient(c, rgb(18, 2, 6), rgb(6, 0, 3));
    paintMaelstrom(c);
    paintGlow(c, eyeX, eyeY, 30.0f, rgb(50, 0, 8));
    reduceColors(c, 24);
    paintStars(c, 303u, 160, 0.6f, nullptr);
    paintPupil(c);
    return c;
}
