// A hero from a Fingerprint and a file name, the second arrow's bonus, and
// the traits' names. Pure computation; the second arrow's effects on the
// game live in second_arrow.h.
#pragma once

#include <cstdint>

#include "core/records.h"

const int heroNameBytes = 10;  // a hero's name keeps at most this many bytes

// The piece's two hexadecimal characters as c (inverted to 255 - c for the
// second arrow), spread evenly over low..high. A character that is not a
// hexadecimal digit counts as 0.
int32_t pieceValue(const char* piece, int32_t low, int32_t high, bool secondArrow);
void deriveHero(HeroRecord& record, const char* fingerprint, bool secondArrow);
void heroNameFromPath(HeroRecord& record, const char* path);

// What a second arrow adds to the hero, already scaled, and the trump card it fixes.
struct SecondArrowBonus {
    int32_t maxHp;
    int32_t maxMp;
    int32_t attack;
    int32_t defence;
    int32_t evasion;
    int32_t attackGrowth;
    int32_t defenceGrowth;
    int32_t trumpCard;
};
SecondArrowBonus secondArrowBonus(const char* fingerprint);

// The trait's name as the ResultPanel shows it; "" outside 0..5.
const char* traitName(int trait);
