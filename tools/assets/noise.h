// Deterministic randomness for the generator: a fixed-seed xorshift source and
// hash-based value noise, so every run paints and sounds the same.
#pragma once

#include <cstdint>

// A small xorshift generator; seed it with a constant, never with the clock.
struct Xorshift {
    uint32_t state;
};

Xorshift makeXorshift(uint32_t seed);
uint32_t nextBits(Xorshift& random);
float nextUnit(Xorshift& random);                   // uniform in [0, 1)
float nextRange(Xorshift& random, float low, float high);
int nextBelow(Xorshift& random, int bound);         // 0 .. bound-1; bound > 0

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t hashPoint(int32_t x, int32_t y, uint32_t seed);

// Smooth value noise in [0, 1] over the plane, one lattice cell per unit.
float valueNoise(float x, float y, uint32_t seed);

// Fractal sum of `octaves` layers of value noise, each twice as fine and
// `gain` times as strong as the last; normalised to [0, 1].
float fractalNoise(float x, float y, uint32_t seed, int octaves, float gain);
