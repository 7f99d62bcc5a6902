// The linear congruential generator shared by every rule, with a script
// override so tests can choose each draw.
#include "core/random.h"

#include <vector>

static uint32_t seedValue = 0;
static std::vector<int32_t> script;
static size_t scriptPos = 0;
static RandomObserver observer = nullptr;

void seedRandom(uint32_t seed)
{
    seedValue = seed;
}

int32_t nextRandom()
{
    if (scriptPos < script.size())
        return script[scriptPos++];
    seedValue = seedValue * 214013u + 2531011u;  // unsigned: wraps modulo 2^32
    return static_cast<int32_t>((seedValue >> 16) & 0x7fff);
}

int32_t randomBelow(int32_t n)
{
    int32_t value = nextRandom() % n;
    if (observer)
        observer(n, value);
    return value;
}

void scriptRandom(const int32_t* values, size_t count)
{
    script.assign(values, values + count);
    scriptPos = 0;
}

size_t scriptedDrawsLeft()
{
    return script.size() - scriptPos;
}

void observeRandom(RandomObserver fn)
{
    observer = fn;
}
