// The program's one random generator: seed = seed * 214013 + 2531011 (mod 2^32),
// each draw the bits 16 to 30 of the new seed (0..32767).
#pragma once

#include <cstddef>
#include <cstdint>

void seedRandom(uint32_t seed);

// One draw, 0..32767.
int32_t nextRandom();

// One draw reduced to 0..n-1 (n > 0): the rules' "random % n".
int32_t randomBelow(int32_t n);

// Tests and tools: replace the next draws by these values (each is still
// reduced modulo n by randomBelow). When the script runs out, the generator
// takes over again.
void scriptRandom(const int32_t* values, size_t count);
size_t scriptedDrawsLeft();

// Tests: called with the modulus and the result of every randomBelow draw.
typedef void (*RandomObserver)(int32_t modulus, int32_t value);
void observeRandom(RandomObserver observer);
