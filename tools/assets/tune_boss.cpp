// The final battle: E minor, 4/4 at 168 beats a minute, 32 bars (about 46
// seconds). Four bars of drums and driving bass, the theme (A), a climbing
// middle (B) through F major, the theme again, and four bars of turnaround
// that end on B major, the dominant, to fall back into the opening E.
#include "midi.h"

// ---- Melody (brass section) ----

static const char leadIntro[] = "r/1 | r/1 | r/1 | r/2 >B4/8 >B4/8 >B4/4 | ";
static const char leadA[] =
    "E5/4 B4/8 E5/8 G5/4 F#5/8 E5/8 | G5/4. E5/8 C5/2 | D5/4 F#5/8 A5/8 D6/4 C6/8 A5/8 | B5/2. r/4 | "
    "E5/4 B4/8 E5/8 G5/4 A5/8 B5/8 | C6/4. B5/8 G5/4 E5/4 | A5/4 C6/8 B5/8 A5/4 G5/8 F#5/8 | F#5/2 D#5/2 | ";
static const char leadB[] =
    "A5/8 B5/8 C6/4 B5/8 A5/8 E5/4 | G5/8 F#5/8 E5/4 B4/2 | A5/8 G5/8 F5/4 C6/4 A5/4 | D#5/4 F#5/4 B5/2 | "
    "E5/8 G5/8 C6/4 B5/8 C6/8 D6/4 | F#5/8 A5/8 D6/4 C6/8 B5/8 A5/4 | B5/4 G5/4 E5/4 G5/4 | F#5/2. D#5/4 | ";
static const char leadTurn[] =
    "E5/8 E5 E5 G5 E5/4 C5/4 | F#5/8 F#5 F#5 A5 F#5/4 D5/4 | G5/8 G5 G5 C6 G5/4 E5/4 | "
    ">F#5/4 >D#5/4 >B4/2 | ";
static const char* const lead[] = {leadIntro, leadA, leadB, leadA, leadTurn, nullptr};

// ---- Bass (synth bass): eighths on the root with octave leaps ----

#define BASS_E "E2/8 E2 E3 E2 E2 E3 E2 E3 | "
#define BASS_C "C2/8 C2 C3 C2 C2 C3 C2 C3 | "
#define BASS_D "D2/8 D2 D3 D2 D2 D3 D2 D3 | "
#define BASS_B "B1/8 B1 B2 B1 B1 B2 B1 B2 | "
#define BASS_A "A1/8 A1 A2 A1 A1 A2 A1 A2 | "
#define BASS_F "F2/8 F2 F3 F2 F2 F3 F2 F3 | "
static const char bassIntro[] = BASS_E BASS_E BASS_C BASS_B;
static const char bassA[] = BASS_E BASS_C BASS_D BASS_E BASS_E BASS_C BASS_A BASS_B;
static const char bassB[] = BASS_A BASS_E BASS_F BASS_B BASS_C BASS_D BASS_E BASS_B;
static const char bassTurn[] = BASS_C BASS_D BASS_C BASS_B;
static const char* const bass[] = {bassIntro, bassA, bassB, bassA, bassTurn, nullptr};

// ---- Guitar (distortion): power chords in 3 + 3 + 2 eighths ----

#define POWER_E "E3+B3+E4/4. E3+B3+E4/4. E3+B3+E4/4 | "
#define POWER_C "C3+G3+C4/4. C3+G3+C4/4. C3+G3+C4/4 | "
#define POWER_D "D3+A3+D4/4. D3+A3+D4/4. D3+A3+D4/4 | "
#define POWER_B "B2+F#3+B3/4. B2+F#3+B3/4. B2+F#3+B3/4 | "
#define POWER_A "A2+E3+A3/4. A2+E3+A3/4. A2+E3+A3/4 | "
#define POWER_F "F3+C4+F4/4. F3+C4+F4/4. F3+C4+F4/4 | "
static const char guitarIntro[] = POWER_E POWER_E POWER_C POWER_B;
static const char guitarA[] = POWER_E POWER_C POWER_D POWER_E POWER_E POWER_C POWER_A POWER_B;
static const char guitarB[] = POWER_A POWER_E POWER_F POWER_B POWER_C POWER_D POWER_E POWER_B;
static const char guitarTurn[] = POWER_C POWER_D POWER_C POWER_B;
static const char* const guitar[] = {guitarIntro, guitarA, guitarB, guitarA, guitarTurn, nullptr};

// ---- Strings (tremolo): the harmony held a bar at a time ----

static const char stringsIntro[] = "E3+B3/1 | E3+B3 | E3+C4 | D#3+B3 | ";
static const char stringsA[] =
    "E4+G4+B4/1 | E4+G4+C5 | F#4+A4+D5 | E4+G4+B4 | E4+G4+B4 | E4+G4+C5 | E4+A4+C5 | F#4+B4+D#5 | ";
static const char stringsB[] =
    "E4+A4+C5/1 | E4+G4+B4 | F4+A4+C5 | F#4+B4+D#5 | E4+G4+C5 | F#4+A4+D5 | E4+G4+B4 | F#4+B4+D#5 | ";
static const char stringsTurn[] = "E4+G4+C5/1 | F#4+A4+D5 | E4+G4+C5 | F#4+B4+D#5 | ";
static const char* const strings[] = {stringsIntro, stringsA, stringsB, stringsA, stringsTurn, nullptr};

// ---- Drums: kick C2, snare D2, closed hat F#2, crash C#3, toms A2 B2 D3 ----

#define BEAT "C2+F#2/8 F#2 D2+F#2 C2+F#2 C2+F#2 F#2 D2+F#2 F#2 | "
#define CRASH "C2+C#3/8 F#2 D2+F#2 C2+F#2 C2+F#2 F#2 D2+F#2 F#2 | "
#define FILL "C2+F#2/8 F#2 D2+F#2 C2 D3/16 D3 B2 B2 A2/8 D2 | "
static const char drumsIntro[] = CRASH BEAT BEAT FILL;
static const char drumsSection[] = CRASH BEAT BEAT BEAT BEAT BEAT BEAT FILL;
static const char drumsTurn[] = CRASH BEAT BEAT FILL;
static const char* const drums[] = {drumsIntro, drumsSection, drumsSection, drumsSection, drumsTurn, nullptr};

// ---- Timpani: the opening and the turnaround ----

static const char timpaniIntro[] = ">E2/4 r/4 r/2 | r/1 | r/1 | r/2 B2/8 B2 B2 B2 | ";
static const char timpaniRest[] = "r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | r/1 | ";
static const char timpaniTurn[] = ">C3/4 r/4 r/2 | >D3/4 r/4 r/2 | >C3/4 r/4 r/2 | B2/8 B2 B2 B2 >B2/2 | ";
static const char* const timpani[] = {timpaniIntro, timpaniRest, timpaniRest, timpaniRest, timpaniTurn, nullptr};

static const MidiVoice bossVoices[] = {
    // name      channel     program volume pan velocity gate  notes
    {"lead", 0, 61, 127, 64, 108, 88, lead},             // brass section
    {"strings", 1, 44, 72, 80, 70, 100, strings},       // tremolo strings
    {"guitar", 2, 30, 78, 40, 82, 80, guitar},          // distortion guitar
    {"bass", 3, 38, 104, 64, 92, 75, bass},             // synth bass
    {"timpani", 4, 47, 100, 64, 96, 100, timpani},      // timpani
    {"drums", drumChannel, 0, 84, 64, 88, 90, drums},  // drum kit
};

const Tune bossTune = {"t_midi105_boss08.mid", "The Last Machine", 168, 4, bossVoices,
                       sizeof bossVoices / sizeof bossVoices[0]};
