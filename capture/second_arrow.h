// The second arrow's effects on the game: the hero strengthened, the trump
// card fixed and its button shown, the offer ended.
#pragma once

#include <cstdint>

// Sets the TrumpCard button's caption and the hero's trumpCost; an index
// outside 0..5 changes nothing.
void applyTrumpCard(int32_t index);
// Strengthens the game's hero with a second Fingerprint, fixes its trump card
// and ends the second-arrow offer.
void applySecondArrow(const char* fingerprint);
