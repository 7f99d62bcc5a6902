// A hero from a Fingerprint and a file name, and the second arrow's bonus.
#pragma once

#include <cstdint>

#include "core/records.h"

int32_t pieceValue(const char* piece, int32_t low, int32_t high, bool secondArrow);
void deriveHero(HeroRecord& record, const char* fingerprint, bool secondArrow);
void heroNameFromPath(HeroRecord& record, const char* path);
void applyTrumpCard(int32_t index);
void applySecondArrow(const char* fingerprint);

// The TrumpCard button's caption and MP cost for a card 0..5.
const char* trumpCardCaption(int32_t index);
int32_t trumpCardCost(int32_t index);
