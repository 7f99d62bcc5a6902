// The four small operations every rule leans on: reset, time, going back,
// natural recovery.
#pragma once

#include <cstdint>

// Back to the state before a hero exists. Leaves the hero, the enemy and the
// counters that run across games untouched.
void resetGame();
// Spends n > 0 time units. Returns 1 when the time ran out: the game was then
// reset, and the caller must not carry on with its command.
int spendTime(int32_t n);
// Moves the hero n > 0 units back, never below 0.
void goBack(int32_t n);
// Natural HP and MP recovery, once per step.
void regenerate();
