// A hero from a Fingerprint and a file name, and the second arrow's bonus.
// deriveHero, heroNameFromPath and the bonus are pure (hero.cpp); the
// second arrow's effects on the screen live in second_arrow.cpp.
#pragma once

#include <cstdint>

#include "core/records.h"

const int heroNameBytes = 10;  // a hero's name keeps at most this many bytes
const int trumpCardCount = 6;

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

// The TrumpCard button's caption and MP cost for a card 0..5; null and 0
// for any other index.
const char* trumpCardCaption(int32_t index);
int32_t trumpCardCost(int32_t index);

// Sets the TrumpCard button's caption and the hero's trumpCost; an index
// outside 0..5 changes nothing.
void applyTrumpCard(int32_t index);
// Strengthens the game's hero with a second Fingerprint, fixes its trump card
// and ends the second-arrow offer.
void applySecondArrow(const char* fingerprint);
