// Integer arithmetic without overflow. Below the 32-bit limits every result
// equals the plain formula; beyond them results saturate instead of wrapping.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

inline int32_t saturate(int64_t v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

inline int32_t addSat(int32_t a, int32_t b)
{
    return saturate(static_cast<int64_t>(a) + b);
}

inline int32_t subSat(int32_t a, int32_t b)
{
    return saturate(static_cast<int64_t>(a) - b);
}

// trunc(v * factor) in double precision, truncated toward zero, then
// saturated to 32 bits (converting an out-of-range double is undefined).
inline int32_t mulTrunc(int32_t v, double factor)
{
    double product = std::trunc(static_cast<double>(v) * factor);
    if (product >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (product <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(product);
}

// part * 100 / whole with a 64-bit product, truncated toward zero;
// 0 when whole is not positive.
inline int32_t percentOf(int32_t part, int32_t whole)
{
    if (whole <= 0)
        return 0;
    return saturate(static_cast<int64_t>(part) * 100 / whole);
}

// a + b, but not above limit (used for recoveries capped at a maximum).
inline int32_t addCapped(int32_t a, int32_t b, int32_t limit)
{
    int64_t sum = static_cast<int64_t>(a) + b;
    return sum > limit ? limit : saturate(sum);
}
