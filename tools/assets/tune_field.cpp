// The field theme: a lullaby in F major, 3/4 at 72 beats a minute, 24 bars
// (one minute). A, B and A again; every section ends on C so that the last
// bar leads back to the F of the first. Flute melody, harp rocking in
// eighths, bass on the beat, strings joining in B and a celesta in the reprise.
#include "midi.h"

// ---- Melody (flute) ----

static const char melodyA[] =
    "C6/2 A5/4 | C6/4. Bb5/8 A5/4 | D6/2 C6/4 | A5/2. | "
    "Bb5/4 A5/4 G5/4 | E5/4 G5/4 C6/4 | A5/4. G5/8 F5/4 | G5/2. | ";
static const char melodyB[] =
    "F5/8 A5/8 D6/4 C6/4 | C6/4 A5/4 E5/4 | D5/8 F5/8 Bb5/4 A5/4 | A5/2 r/4 | "
    "G5/8 Bb5/8 D6/4 C6/4 | C6/4 E6/4 C6/4 | D6/4. C6/8 Bb5/4 | G5/2. | ";
static const char melodyReprise[] =
    "C6/2 A5/4 | C6/4. Bb5/8 A5/4 | D6/4 F6/4 D6/4 | C6/2. | "
    "Bb5/4 A5/4 G5/4 | E5/4 G5/4 Bb5/4 | A5/4. G5/8 F5/4 | G5/4 A5/4 Bb5/4 | ";
static const char* const melody[] = {melodyA, melodyB, melodyReprise, nullptr};

// ---- Celesta: a twinkle where the melody rests, then the melody itself ----

static const char celestaA[] =
    "r/2. | r/2. | r/2. | r/4 C6/8 F6/8 A6/4 | r/2. | r/2. | r/2. | r/4 E6/8 G6/8 C7/4 | ";
static const char celestaB[] =
    "r/2. | r/2. | r/2. | r/4 A5/8 C6/8 F6/4 | r/2. | r/2. | r/2. | r/4 G5/8 C6/8 E6/4 | ";
static const char* const celesta[] = {celestaA, celestaB, melodyReprise, nullptr};

// ---- Harp: broken chords rocking up and down ----

static const char harpA[] =
    "F3/8 C4 F4 A4 F4 C4 | E3 C4 E4 A4 E4 C4 | D3 Bb3 D4 F4 D4 Bb3 | F3 C4 F4 A4 F4 C4 | "
    "D3 Bb3 D4 G4 D4 Bb3 | E3 C4 E4 G4 E4 C4 | F3 C4 F4 A4 F4 C4 | E3 C4 E4 G4 E4 C4 | ";
static const char harpB[] =
    "D3/8 A3 D4 F4 D4 A3 | E3 C4 E4 A4 E4 C4 | D3 Bb3 D4 F4 D4 Bb3 | F3 C4 F4 A4 F4 C4 | "
    "D3 Bb3 D4 G4 D4 Bb3 | E3 C4 E4 A4 E4 C4 | D3 Bb3 D4 F4 D4 Bb3 | E3 C4 E4 G4 E4 C4 | ";
static const char harpReprise[] =
    "F3/8 C4 F4 A4 F4 C4 | E3 C4 E4 A4 E4 C4 | D3 Bb3 D4 F4 D4 Bb3 | F3 C4 F4 A4 F4 C4 | "
    "D3 Bb3 D4 G4 D4 Bb3 | E3 Bb3 C4 G4 C4 Bb3 | F3 C4 F4 A4 F4 C4 | E3 Bb3 C4 G4 C4 Bb3 | ";
static const char* const harp[] = {harpA, harpB, harpReprise, nullptr};

// ---- Bass: the root, then the fifth ----

static const char bassA[] =
    "F2/2 C3/4 | A2/2 E3/4 | Bb2/2 F3/4 | F2/2 C3/4 | G2/2 D3/4 | C3/2 G2/4 | F2/2 C3/4 | C3/2 G2/4 | ";
static const char bassB[] =
    "D3/2 A2/4 | A2/2 E3/4 | Bb2/2 F3/4 | F2/2 C3/4 | G2/2 D3/4 | A2/2 E3/4 | Bb2/2 F3/4 | C3/2 G2/4 | ";
static const char bassReprise[] =
    "F2/2 C3/4 | A2/2 E3/4 | Bb2/2 F3/4 | F2/2 C3/4 | G2/2 D3/4 | C3/2 Bb2/4 | F2/2 C3/4 | C3/2 Bb2/4 | ";
static const char* const bass[] = {bassA, bassB, bassReprise, nullptr};

// ---- Strings: held chords from B on ----

static const char stringsA[] = "r/2. | r/2. | r/2. | r/2. | r/2. | r/2. | r/2. | r/2. | ";
static const char stringsB[] =
    "A3+D4+F4/2. | A3+C4+E4 | Bb3+D4+F4 | A3+C4+F4 | Bb3+D4+G4 | A3+C4+E4 | Bb3+D4+F4 | G3+C4+E4 | ";
static const char stringsReprise[] =
    "A3+C4+F4/2. | A3+C4+E4 | Bb3+D4+F4 | A3+C4+F4 | Bb3+D4+G4 | G3+Bb3+E4 | A3+C4+F4 | G3+Bb3+E4 | ";
static const char* const strings[] = {stringsA, stringsB, stringsReprise, nullptr};

static const MidiVoice fieldVoices[] = {
    // name       channel program volume pan velocity gate  notes
    {"melody", 0, 73, 88, 64, 80, 92, melody},    // flute
    {"celesta", 1, 8, 80, 80, 70, 90, celesta},    // celesta
    {"harp", 2, 46, 92, 48, 64, 100, harp},        // harp
    {"bass", 3, 32, 108, 64, 84, 90, bass},         // acoustic bass
    {"strings", 4, 48, 70, 72, 56, 100, strings},  // string ensemble
};

const Tune fieldTune = {"nemuri.mid", "Nemuri", 72, 3, fieldVoices,
                        sizeof fieldVoices / sizeof fieldVoices[0]};
