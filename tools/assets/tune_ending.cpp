// The ending: D major, 4/4 at 92 beats a minute, 24 bars (about 63
// seconds). A warm theme on strings (A), a rising middle (B), and the theme
// again with a flute descant, a choir and a glockenspiel; the last bar
// climbs the A7 chord to its seventh, G, which falls to the F# that opens
// the tune again.
#include "midi.h"

// ---- Melody (string ensemble) ----

#define THEME_OPENING                                                  \
    "F#5/4 A5/4 D6/4 C#6/8 B5/8 | A5/2 E5/4 A5/4 | B5/4. A5/8 F#5/4 D5/4 | C#5/2. r/4 | " \
    "D5/4 G5/4 B5/4 A5/8 G5/8 | F#5/2 A5/4 D5/4 | G5/4 F#5/4 E5/4 D5/4 | "
static const char melodyA[] = THEME_OPENING "E5/2 A4/4 C#5/4 | ";
static const char melodyB[] =
    "B5/4. A5/8 G5/4 B5/4 | C#6/4. B5/8 A5/2 | A5/4 C#6/4 F#6/4 E6/8 C#6/8 | D6/2. B5/4 | "
    "B5/4 G5/4 D6/4 B5/4 | C#6/4 E6/4 A5/4 C#6/4 | D6/2. A5/4 | B5/4 A5/4 G5/4 E5/4 | ";
static const char melodyReprise[] = THEME_OPENING "C#5/4 E5/4 A5/4 G5/4 | ";
static const char* const melody[] = {melodyA, melodyB, melodyReprise, nullptr};

// ---- Flute: a descant falling a step a bar over the reprise ----

static const char restEight[] = "r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | ";
static const char descant[] = "F#6/1 | E6/1 | D6/1 | C#6/1 | B5/1 | A5/1 | G5/2 B5/2 | A5/2 C#6/2 | ";
static const char* const flute[] = {restEight, restEight, descant, nullptr};

// ---- Piano: chords broken in eighths ----

#define PIANO_A                                                                    \
    "D3/8 A3 D4 F#4 A4 F#4 D4 A3 | C#3 A3 C#4 E4 A4 E4 C#4 A3 | "                \
    "B2 F#3 B3 D4 F#4 D4 B3 F#3 | F#2 C#3 F#3 A3 C#4 A3 F#3 C#3 | "              \
    "G2 D3 G3 B3 D4 B3 G3 D3 | F#2 D3 F#3 A3 D4 A3 F#3 D3 | "                    \
    "E2 B2 D3 G3 B3 G3 D3 B2 | A2 E3 G3 C#4 E4 C#4 G3 E3 | "
static const char pianoA[] = PIANO_A;
static const char pianoB[] =
    "G2/8 D3 G3 B3 D4 B3 G3 D3 | A2 E3 A3 C#4 E4 C#4 A3 E3 | "
    "F#2 C#3 F#3 A3 C#4 A3 F#3 C#3 | B2 F#3 B3 D4 F#4 D4 B3 F#3 | "
    "G2 D3 G3 B3 D4 B3 G3 D3 | A2 E3 A3 C#4 E4 C#4 A3 E3 | "
    "D3 A3 D4 F#4 A4 F#4 D4 A3 | A2 E3 A3 D4 E4 C#4 A3 E3 | ";
static const char* const piano[] = {pianoA, pianoB, pianoA, nullptr};

// ---- Bass (finger bass): the root held, then root and fifth ----

static const char bassA[] =
    "D2/2 D2/4 A2/4 | C#2/2 C#2/4 A2/4 | B1/2 B1/4 F#2/4 | F#2/2 F#2/4 C#2/4 | "
    "G2/2 G2/4 D2/4 | F#2/2 F#2/4 D2/4 | E2/2 E2/4 B1/4 | A1/2 A1/4 E2/4 | ";
static const char bassB[] =
    "G2/2 G2/4 D2/4 | A2/2 A2/4 E2/4 | F#2/2 F#2/4 C#2/4 | B1/2 B1/4 F#2/4 | "
    "G2/2 G2/4 D2/4 | A2/2 A2/4 E2/4 | D2/2 D2/4 A2/4 | A1/2 A1/4 C#2/4 | ";
static const char* const bass[] = {bassA, bassB, bassA, nullptr};

// ---- Choir: held chords from B on ----

static const char choirB[] =
    "G3+B3+D4/1 | A3+C#4+E4 | F#3+A3+C#4 | F#3+B3+D4 | G3+B3+D4 | A3+C#4+E4 | F#3+A3+D4 | G3+A3+C#4 | ";
static const char choirReprise[] =
    "F#3+A3+D4/1 | E3+A3+C#4 | F#3+B3+D4 | F#3+A3+C#4 | G3+B3+D4 | F#3+A3+D4 | E3+G3+B3 | E3+G3+C#4 | ";
static const char* const choir[] = {restEight, choirB, choirReprise, nullptr};

// ---- Glockenspiel: a bright figure at the start of each bar ----

static const char glockenB[] =
    "D6/8 G6/8 B6/4 r/2 | E6/8 A6/8 C#7/4 r/2 | C#6/8 F#6/8 A6/4 r/2 | D6/8 F#6/8 B6/4 r/2 | "
    "D6/8 G6/8 B6/4 r/2 | E6/8 A6/8 C#7/4 r/2 | D6/8 F#6/8 A6/4 r/2 | r/1 | ";
static const char glockenReprise[] =
    "D6/8 F#6/8 A6/4 r/2 | C#6/8 E6/8 A6/4 r/2 | B5/8 D6/8 F#6/4 r/2 | C#6/8 F#6/8 A6/4 r/2 | "
    "B5/8 D6/8 G6/4 r/2 | A5/8 D6/8 F#6/4 r/2 | G5/8 B5/8 E6/4 r/2 | r/1 | ";
static const char* const glockenspiel[] = {restEight, glockenB, glockenReprise, nullptr};

static const MidiVoice endingVoices[] = {
    // name        channel program volume pan velocity gate  notes
    {"melody", 0, 48, 108, 64, 90, 96, melody},          // string ensemble
    {"descant", 1, 73, 66, 84, 64, 94, flute},           // flute
    {"piano", 2, 0, 84, 44, 62, 100, piano},             // acoustic grand piano
    {"bass", 3, 33, 96, 64, 80, 92, bass},               // finger bass
    {"choir", 4, 53, 70, 76, 60, 100, choir},            // voice oohs
    {"glockenspiel", 5, 9, 64, 96, 58, 100, glockenspiel},  // glockenspiel
};

const Tune endingTune = {"aoi.mid", "Aoi", 92, 4, endingVoices,
                         sizeof endingVoices / sizeof endingVoices[0]};
