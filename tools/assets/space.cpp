// Space painting: gradients, stars, nebulae, glows, planets and galaxies.
#include "space.h"

#include "noise.h"

#include <cmath>

Color rampColor(const Color* stops, int count, float t)
{
    t = clampUnit(t) * static_cast<float>(count - 1);
    int i = static_cast<int>(t);
    if (i >= count - 1)
        return stops[count - 1];
    return mix(stops[i], stops[i + 1], t - static_cast<float>(i));
}

void paintVerticalGradient(Canvas& canvas, Color top, Color bottom)
{
    for (int y = 0; y < canvas.height; ++y) {
        float t = static_cast<float>(y) / static_cast<float>(canvas.height - 1);
        for (int x = 0; x < canvas.width; ++x)
            setPixel(canvas, x, y, mix(top, bottom, t));
    }
}

static Color starTint(Xorshift& random)
{
    // Mostly white, some blue-white giants, some warm dwarfs.
    int kind = nextBelow(random, 10);
    if (kind < 5)
        return Color{1.0f, 1.0f, 1.0f};
    if (kind < 8)
        return Color{0.75f, 0.85f, 1.0f};
    return Color{1.0f, 0.85f, 0.65f};
}

static void paintOneStar(Canvas& canvas, int x, int y, float light, Color tint)
{
    addPixel(canvas, x, y, scaled(tint, light));
    if (light < 0.75f)
        return;
    float arm = light * 0.45f;
    for (int d = 1; d <= (light > 1.1f ? 2 : 1); ++d) {
        addPixel(canvas, x + d, y, scaled(tint, arm));
        addPixel(canvas, x - d, y, scaled(tint, arm));
        addPixel(canvas, x, y + d, scaled(tint, arm));
        addPixel(canvas, x, y - d, scaled(tint, arm));
        arm *= 0.45f;
    }
}

void paintStars(Canvas& canvas, uint32_t seed, int count, float brightness,
                float (*density)(float x, float y))
{
    Xorshift random = makeXorshift(seed);
    for (int i = 0; i < count; ++i) {
        int x = nextBelow(random, canvas.width);
        int y = nextBelow(random, canvas.height);
        float u = nextUnit(random);
        float keep = nextUnit(random);
        Color tint = starTint(random);
        if (density && keep > density(static_cast<float>(x), static_cast<float>(y)))
            continue;
        // Many faint stars, few bright ones.
        float light = brightness * (0.12f + 1.1f * u * u * u * u);
        paintOneStar(canvas, x, y, light, tint);
    }
}

float nebulaDensity(const NebulaStyle& style, float x, float y)
{
    float sx = x * style.scale;
    float sy = y * style.scale;
    float wx = fractalNoise(sx + 5.2f, sy + 1.3f, style.seed + 7u, 3, 0.5f);
    float wy = fractalNoise(sx + 9.7f, sy + 4.1f, style.seed + 13u, 3, 0.5f);
    return fractalNoise(sx + style.warp * wx, sy + style.warp * wy, style.seed, 5, 0.55f);
}

void paintNebula(Canvas& canvas, const NebulaStyle& style, float (*mask)(float x, float y))
{
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            float fx = static_cast<float>(x);
            float fy = static_cast<float>(y);
            float d = nebulaDensity(style, fx, fy);
            d = clampUnit((d - style.threshold) / (1.0f - style.threshold));
            if (mask)
                d *= mask(fx, fy);
            if (d <= 0)
                continue;
            Color c = rampColor(style.ramp, style.rampCount, d);
            addPixel(canvas, x, y, scaled(c, style.strength * d));
        }
    }
}

void paintGlow(Canvas& canvas, float cx, float cy, float radius, Color light)
{
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            float dx = (static_cast<float>(x) - cx) / radius;
            float dy = (static_cast<float>(y) - cy) / radius;
            float f = std::exp(-(dx * dx + dy * dy) * 2.5f);
            if (f > 0.002f)
                addPixel(canvas, x, y, scaled(light, f));
        }
    }
}

static Color planetSurface(const PlanetStyle& s, float nx, float ny, float nz)
{
    float lon = std::atan2(nx, nz);
    float lat = ny;
    float n = fractalNoise(lon * 2.2f + 10.0f, lat * 3.0f + 10.0f, s.seed, 4, 0.5f);
    float t = n;
    if (s.bands > 0)
        t = 0.55f * n + 0.45f * (0.5f + 0.5f * std::sin(lat * s.bands + n * 4.0f));
    if (s.seaLevel > 0) {
        // A crisp coast: the sea takes the lower half of the ramp, land the upper.
        t = n < s.seaLevel ? 0.45f * n / s.seaLevel
                           : 0.55f + 0.45f * clampUnit((n - s.seaLevel) / (0.75f - s.seaLevel));
    }
    Color ground = rampColor(s.ramp, s.rampCount, t);
    if (s.cloudCover > 0) {
        // Clouds drawn out along the latitude by the planet's spin.
        float cloud = fractalNoise(lon * 3.0f + 40.0f, lat * 9.0f + 40.0f, s.seed + 5u, 4, 0.55f);
        float cover = clampUnit((cloud - (1.0f - s.cloudCover)) * 4.0f);
        ground = mix(ground, Color{0.92f, 0.98f, 0.95f}, cover * 0.85f);
    }
    return ground;
}

void paintPlanet(Canvas& canvas, const PlanetStyle& s)
{
    float ll = std::sqrt(s.lightX * s.lightX + s.lightY * s.lightY + s.lightZ * s.lightZ);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            float nx = (static_cast<float>(x) + 0.5f - s.cx) / s.radius;
            float ny = (static_cast<float>(y) + 0.5f - s.cy) / s.radius;
            float rr = nx * nx + ny * ny;
            if (rr >= 1.0f) {
                // The atmosphere glows just beyond the limb.
                float edge = (std::sqrt(rr) - 1.0f) * s.radius;
                float lit = clampUnit(0.5f + (nx * s.lightX + ny * s.lightY) / ll);
                float f = std::exp(-edge / 2.5f) * lit;
                if (f > 0.004f)
                    addPixel(canvas, x, y, scaled(s.haze, f));
                continue;
            }
            float nz = std::sqrt(1.0f - rr);
            float lambert = (nx * s.lightX + ny * s.lightY + nz * s.lightZ) / ll;
            float light = clampUnit(lambert * 1.1f + 0.06f);
            Color c = scaled(planetSurface(s, nx, ny, nz), light);
            float rim = std::pow(1.0f - nz, 3.0f) * clampUnit(lambert + 0.4f);
            setPixel(canvas, x, y, added(c, scaled(s.haze, rim * 0.9f)));
        }
    }
}

void paintGalaxy(Canvas& canvas, float cx, float cy, float size, float tilt,
                 float flatten, Color core, Color arms)
{
    float ct = std::cos(tilt);
    float st = std::sin(tilt);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            float dx = static_cast<float>(x) - cx;
            float dy = static_cast<float>(y) - cy;
            float u = (dx * ct + dy * st) / size;
            float v = (-dx * st + dy * ct) / (size * flatten);
            float r = std::sqrt(u * u + v * v);
            if (r > 1.6f)
                continue;
            float theta = std::atan2(v, u);
            float spiral = 0.5f + 0.5f * std::cos(2.0f * (theta - 3.2f * std::log(r + 0.05f)));
            float disc = std::exp(-r * 2.6f);
            Color light = scaled(arms, disc * std::pow(spiral, 2.0f) * 1.4f);
            light = added(light, scaled(core, std::exp(-r * r * 40.0f)));
            addPixel(canvas, x, y, light);
        }
    }
}
