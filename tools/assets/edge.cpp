// The edge of the universe, 128 x 128: space ends in a curved horizon of
// light, a pale lattice lies beyond it, and a colossal machine rises behind
// it, its lamps lit and its eye open. The final battle is fought here.
#include "pictures.h"

#include "noise.h"
#include "space.h"

#include <cmath>

static const float horizonCentreY = 330.0f;
static const float horizonRadius = 250.0f;

// Height of a pixel above the horizon (negative below it).
static float aboveHorizon(float x, float y)
{
    float dx = x - 64.0f;
    float dy = y - horizonCentreY;
    return std::sqrt(dx * dx + dy * dy) - horizonRadius;
}

static float edgeStarDensity(float x, float y)
{
    return clampUnit(aboveHorizon(x, y) / 50.0f);
}

// How much of a lattice line covers a pixel at `depth` rows below the
// horizon: rows of the lattice spread out towards the viewer, its columns
// fan out from the centre; lines finer than two pixels apart fade away.
static float latticeAt(float x, float depth)
{
    float d = depth + 1.5f;
    float z = 48.0f / d;         // distance along the ground, in lattice cells
    float zPerRow = 48.0f / (d * d);
    float w = (x - 64.0f) * 0.25f / d * 8.0f;
    float wPerColumn = 2.0f / d;
    float rowDistance = std::fabs(z - std::round(z)) / zPerRow;
    float columnDistance = std::fabs(w - std::round(w)) / wPerColumn;
    float row = clampUnit(1.0f - rowDistance) * clampUnit(1.5f - zPerRow * 3.0f);
    float column = clampUnit(1.0f - columnDistance) * clampUnit(1.5f - wPerColumn * 3.0f);
    float strength = row > column ? row : column;
    return strength * 0.4f * clampUnit(depth / 6.0f);
}

// The sky darkens upwards; the rim of the edge burns white into violet.
static void paintHorizon(Canvas& c)
{
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            float h = aboveHorizon(fx, fy);
            if (h >= 0) {
                Color light = added(scaled(rgb(255, 240, 255), std::exp(-h / 2.5f)),
                                    scaled(rgb(150, 70, 200), std::exp(-h / 14.0f) * 0.8f));
                light = added(light, scaled(rgb(60, 20, 90), std::exp(-h / 45.0f) * 0.6f));
                addPixel(c, x, y, light);
                continue;
            }
            // Beyond the edge: a pale void fading into violet, crossed by a
            // lattice laid out in perspective towards the horizon.
            float depth = -h;
            Color beyond = mix(rgb(255, 240, 255), rgb(150, 110, 210), clampUnit(depth / 5.0f));
            beyond = mix(beyond, rgb(36, 18, 70), clampUnit((depth - 5.0f) / 40.0f));
            setPixel(c, x, y, mix(beyond, rgb(190, 150, 255), latticeAt(fx, depth)));
        }
    }
}

enum ColossusPart { Outside, Body, Antenna };

static ColossusPart colossusAt(int x, int y)
{
    float ax = std::fabs(static_cast<float>(x) + 0.5f - 64.0f);
    float fy = static_cast<float>(y);
    if (ax >= 12.0f && ax < 13.0f && fy >= 6 && fy < 19)
        return Antenna;
    if (ax < 6 && fy >= 12 && fy < 19 && ax <= 3 + (fy - 12))
        return Body;  // the crest
    if (ax < 16 && fy >= 18 && fy < 42 && ax <= 12 + (fy - 18))
        return Body;  // the head
    if (ax < 34 && fy >= 42 && ax <= 28 + (fy - 42))
        return Body;  // the shoulders
    if (ax < 46 && fy >= 58 && ax <= 40 + (fy - 58))
        return Body;  // the pylons
    return Outside;
}

// The hull: dark plates with seams, rim-lit where it meets the light behind.
static void paintHull(Canvas& c)
{
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            ColossusPart part = colossusAt(x, y);
            if (part == Outside)
                continue;
            float h = aboveHorizon(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (h < 0)
                continue;
            int ax = x < 64 ? 63 - x : x - 64;
            Color hull = rgb(18, 14, 32);
            if (part == Body && (ax % 8 == 7 || y % 12 == 5))
                hull = rgb(10, 8, 20);  // seams between the plates
            bool edge = colossusAt(x - 1, y) == Outside || colossusAt(x + 1, y) == Outside ||
                        colossusAt(x, y - 1) == Outside;
            if (edge)
                hull = mix(rgb(90, 60, 140), rgb(230, 200, 255), clampUnit(1.0f - h / 60.0f));
            setPixel(c, x, y, hull);
        }
    }
}

static void paintLamp(Canvas& c, int x, int y, Color light)
{
    addPixel(c, x, y, light);
    Color halo = scaled(light, 0.28f);
    addPixel(c, x + 1, y, halo);
    addPixel(c, x - 1, y, halo);
    addPixel(c, x, y + 1, halo);
    addPixel(c, x, y - 1, halo);
}

// Racks of small lamps, like valves, in a column down the middle of each
// plate of the shoulders and pylons; a few are dark.
static void paintLamps(Canvas& c)
{
    Xorshift random = makeXorshift(909u);
    static const Color lamps[] = {rgb(255, 176, 60), rgb(255, 176, 60), rgb(255, 176, 60),
                                  rgb(255, 176, 60), rgb(110, 255, 150), rgb(255, 70, 50)};
    for (int ax = 3; ax < 44; ax += 8) {
        for (int y = 47; y < 86; y += 3) {
            int kind = nextBelow(random, 6);
            float brightness = nextRange(random, 0.45f, 1.0f);
            bool lit = nextBelow(random, 5) != 0;
            for (int side = 0; side < 2; ++side) {
                int x = side ? 64 + ax : 63 - ax;
                if (!lit || colossusAt(x - 1, y - 1) == Outside || colossusAt(x + 1, y - 1) == Outside)
                    continue;
                if (aboveHorizon(static_cast<float>(x), static_cast<float>(y)) < 3.0f)
                    continue;
                paintLamp(c, x, y, scaled(lamps[kind], brightness));
            }
        }
    }
    paintLamp(c, 51, 6, rgb(255, 60, 40));
    paintLamp(c, 76, 6, rgb(255, 60, 40));
}

// The eye: a visor across the head with a burning core.
static void paintEye(Canvas& c)
{
    for (int x = 53; x <= 74; ++x)
        for (int y = 27; y <= 30; ++y)
            setPixel(c, x, y, rgb(70, 0, 10));
    paintGlow(c, 63.5f, 28.5f, 12.0f, rgb(120, 10, 20));
    for (int x = 54; x <= 73; ++x) {
        float core = std::exp(-std::pow((static_cast<float>(x) - 63.5f) / 5.0f, 2.0f));
        addPixel(c, x, 28, scaled(rgb(255, 90, 40), 0.5f + core));
        addPixel(c, x, 29, scaled(rgb(255, 60, 30), 0.3f + core * 0.8f));
    }
    paintGlow(c, 63.5f, 28.5f, 3.0f, rgb(255, 230, 180));
}

Canvas paintEdge()
{
    Canvas c = makeCanvas(128, 128, Color{0, 0, 0});
    paintVerticalGradient(c, rgb(2, 1, 8), rgb(26, 10, 44));
    static const Color veil[] = {rgb(20, 6, 40), rgb(70, 30, 110), rgb(140, 90, 200)};
    NebulaStyle nebula{71u, 0.04f, 2.0f, 0.4f, 0.3f, veil, 3};
    paintNebula(c, nebula, edgeStarDensity);
    paintStars(c, 505u, 340, 0.85f, edgeStarDensity);
    paintHorizon(c);
    paintHull(c);
    paintLamps(c);
    paintEye(c);
    return c;
}
