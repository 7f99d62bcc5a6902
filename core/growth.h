// Level-ups: random growth by the hero's own rates and the rising requirement.
#pragma once

#include <cstdint>

#include "core/records.h"

// How many of the trials drew random % 101 below the rate.
int32_t countSuccesses(int32_t rate, int32_t trials);
LevelGains levelUp(HeroRecord& record);
