// The game's three tunes, each in its own file as note data.
#pragma once

#include "midi.h"

extern const Tune fieldTune;   // nemuri.mid: the journey's lullaby
extern const Tune bossTune;    // t_midi105_boss08.mid: the final battle
extern const Tune endingTune;  // aoi.mid: the universe was saved
