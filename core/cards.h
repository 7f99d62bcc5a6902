// The six trump cards: one row per card with its button caption, MP cost,
// sound and effect. The second arrow fixes the hero's card (capture/), the
// battle plays it (core/battle.cpp).
#pragma once

#include <cstdint>

#include "core/records.h"

const int trumpCardCount = 6;

enum CardEffect : int {
    FullHealCard,  // the hero's HP back to its maximum
    LowerCard,     // one of the opponent's numbers lowered by a draw
    BlastCard,     // a blow of the hero's, multiplied
};

struct TrumpCardRow {
    const char* caption;          // the TrumpCard button's caption
    int32_t cost;                 // MP paid for each use
    int sound;                    // the SoundEffect that goes with it
    CardEffect effect;
    const char* line;             // the log line: the hero's name, or the opponent's name and n
    int32_t EnemyRecord::*lowered;  // LowerCard: the number lowered
    int32_t lowest;               // LowerCard: n = random % 5 + lowest
    bool floorAtZero;             // LowerCard: the number never goes below 0
    double multiplier;            // BlastCard: the blow's multiplier
};

extern const TrumpCardRow trumpCardTable[trumpCardCount];

// The TrumpCard button's caption and MP cost for a card 0..5; null and 0
// for any other index.
const char* trumpCardCaption(int32_t index);
int32_t trumpCardCost(int32_t index);
// The card that a battle plays for the hero's index: any index outside 0..4
// plays the last card.
const TrumpCardRow& trumpCardInBattle(int32_t index);
