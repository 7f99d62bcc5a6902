// The boss's lair, 128 x 128: a black hole whose burning disc passes in
// front of its shadow below and is bent over the top of it by its gravity.
#include "pictures.h"

#include "noise.h"
#include "quantize.h"
#include "space.h"

#include <cmath>

static const float centreX = 64.0f;
static const float centreY = 60.0f;
static const float shadowRadius = 16.0f;
static const float discInner = 22.0f;
static const float discOuter = 62.0f;
static const float flatten = 0.17f;  // how edge-on the disc is seen

// Light of the disc at radius r and angle a: hottest inside, streaked by
// turbulence along its orbit, brighter on the side that moves towards us.
static Color discLight(float r, float a, float cosine)
{
    if (r < discInner || r > discOuter)
        return Color{0, 0, 0};
    float t = (r - discInner) / (discOuter - discInner);
    float streaks = fractalNoise(a * 6.0f + 20.0f, r * 0.22f, 77u, 4, 0.6f);
    float profile = std::pow(1.0f - t, 1.2f) * (0.45f + 1.2f * streaks * streaks);
    float doppler = 1.0f + 0.35f * cosine;
    static const Color heat[] = {rgb(90, 10, 20), rgb(220, 70, 30), rgb(255, 170, 70),
                                 rgb(255, 235, 190), rgb(255, 255, 255)};
    Color c = rampColor(heat, 5, clampUnit(profile * doppler * 0.9f));
    float fade = clampUnit((r - discInner) * 0.7f);  // a soft inner edge
    return scaled(c, clampUnit(profile * doppler * 1.5f) * fade);
}

static void paintHole(Canvas& c)
{
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            float dx = static_cast<float>(x) + 0.5f - centreX;
            float dy = static_cast<float>(y) + 0.5f - centreY;
            float rho = std::sqrt(dx * dx + dy * dy);
            // The disc seen directly: an ellipse, hidden by the shadow behind it.
            float v = dy / flatten;
            float r = std::sqrt(dx * dx + v * v);
            float a = std::atan2(v, dx);
            Color direct = discLight(r, a, -dx / (r + 0.001f));
            bool behind = dy < 0 && rho < shadowRadius + 1.0f;
            // The far side of the disc, lensed into a ring around the shadow:
            // wide above, thin below.
            float lensWidth = dy < 0 ? 0.5f : 0.14f;
            float lr = discInner + (rho - shadowRadius - 1.0f) / lensWidth;
            Color lensed = rho > shadowRadius ? discLight(lr, std::atan2(dy, dx), -dx / (rho + 0.001f))
                                              : Color{0, 0, 0};
            Color base = rho < shadowRadius ? Color{0, 0, 0} : pixelAt(c, x, y);
            float ring = std::exp(-std::pow((rho - shadowRadius - 0.6f) / 0.8f, 2.0f));
            base = added(base, scaled(rgb(255, 220, 170), ring * 0.9f));
            base = added(base, scaled(lensed, 0.85f));
            if (!behind)
                base = added(base, direct);
            setPixel(c, x, y, base);
        }
    }
}

Canvas paintBossLair()
{
    Canvas c = makeCanvas(128, 128, Color{0, 0, 0});
    paintVerticalGradient(c, rgb(8, 2, 16), rgb(2, 0, 6));
    static const Color veil[] = {rgb(20, 0, 30), rgb(80, 20, 90), rgb(160, 60, 120)};
    NebulaStyle nebula{61u, 0.03f, 2.8f, 0.45f, 0.35f, veil, 3};
    paintNebula(c, nebula, nullptr);
    paintGlow(c, centreX, centreY, 44.0f, rgb(40, 12, 30));
    reduceColors(c, 12);
    paintStars(c, 404u, 260, 0.8f, nullptr);
    paintHole(c);
    reduceColors(c, 48);
    return c;
}
