// Fixed-seed random numbers and value noise for the asset generator.
#include "noise.h"

#include <cmath>

Xorshift makeXorshift(uint32_t seed)
{
    // Zero is the one state xorshift never leaves.
    return Xorshift{seed ? seed : 0x9E3779B9u};
}

uint32_t nextBits(Xorshift& random)
{
    uint32_t x = random.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    random.state = x;
    return x;
}

float nextUnit(Xorshift& random)
{
    return static_cast<float>(nextBits(random) >> 8) / 16777216.0f;
}

float nextRange(Xorshift& random, float low, float high)
{
    return low + (high - low) * nextUnit(random);
}

int nextBelow(Xorshift& random, int bound)
{
    return static_cast<int>(nextBits(random) % static_cast<uint32_t>(bound));
}

uint32_t hashPoint(int32_t x, int32_t y, uint32_t seed)
{
    // Unsigned arithmetic throughout: wrapping is intended and defined.
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

static float latticeValue(int32_t x, int32_t y, uint32_t seed)
{
    return static_cast<float>(hashPoint(x, y, seed) >> 8) / 16777215.0f;
}

static float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

float valueNoise(float x, float y, uint32_t seed)
{
    float fx = std::floor(x);
    float fy = std::floor(y);
    int32_t ix = static_cast<int32_t>(fx);
    int32_t iy = static_cast<int32_t>(fy);
    float tx = smooth(x - fx);
    float ty = smooth(y - fy);
    float top = latticeValue(ix, iy, seed) * (1 - tx) + latticeValue(ix + 1, iy, seed) * tx;
    float bottom = latticeValue(ix, iy + 1, seed) * (1 - tx) + latticeValue(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, float gain)
{
    float sum = 0;
    float weight = 1;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        weight *= gain;
        x *= 2.0f;
        y *= 2.0f;
    }
    return total > 0 ? sum / total : 0;
}
