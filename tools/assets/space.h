// Painting helpers for the space pictures: gradients, star fields, nebulae,
// glows, planets and galaxies, all driven by fixed seeds.
#pragma once

#include "canvas.h"

#include <cstdint>

// A colour ramp: `count` colours spread evenly over 0..1.
Color rampColor(const Color* stops, int count, float t);

void paintVerticalGradient(Canvas& canvas, Color top, Color bottom);

// `count` stars at seeded places; `density` (may be null) returns 0..1 for a
// pixel and keeps a star there only with that chance; the brightest few get
// a small cross of light.
void paintStars(Canvas& canvas, uint32_t seed, int count, float brightness,
                float (*density)(float x, float y));

// A nebula: domain-warped fractal noise coloured through a ramp and added as
// light, shaped by `mask` (0..1 per pixel, may be null).
struct NebulaStyle {
    uint32_t seed;
    float scale;      // noise cells per pixel
    float warp;       // how far the noise bends itself
    float threshold;  // density below this is empty space
    float strength;   // light added at full density
    const Color* ramp;
    int rampCount;
};
void paintNebula(Canvas& canvas, const NebulaStyle& style, float (*mask)(float x, float y));
float nebulaDensity(const NebulaStyle& style, float x, float y);

// A soft round light added around (cx, cy), falling off over `radius`.
void paintGlow(Canvas& canvas, float cx, float cy, float radius, Color light);

// A shaded sphere lit from (lightX, lightY, lightZ), its surface coloured
// through the ramp by banded noise, with an atmosphere rim of `haze`.
struct PlanetStyle {
    float cx, cy, radius;
    float lightX, lightY, lightZ;
    uint32_t seed;
    float bands;       // stripes across the latitude; 0 for none
    float seaLevel;    // noise below this is sea (the ramp's lower half); 0 for none
    float cloudCover;  // 0 for a clear sky, towards 1 for overcast
    const Color* ramp;
    int rampCount;
    Color haze;
};
void paintPlanet(Canvas& canvas, const PlanetStyle& style);

// A spiral galaxy seen at a slant: centre, size, tilt of its long axis in
// radians, flattening (1 face-on, small edge-on), and its light.
void paintGalaxy(Canvas& canvas, float cx, float cy, float size, float tilt,
                 float flatten, Color core, Color arms);
