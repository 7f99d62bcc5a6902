// Tunes as readable note data and their Standard MIDI File encoding.
//
// Notation, one voice at a time, tokens separated by spaces:
//   C4/4      a note: letter, optional # or b, octave (C4 is middle C, key 60),
//             then /n for 1/n of a whole note (n at most 32 and dividing 1920:
//             1 2 4 8 16 32, triplets 3 6 12 24, quintuplets 5 10 20)
//             and an optional '.' for half as long again; without /n the last
//             length is used again
//   C4+E4+G4/2  a chord
//   >C4/4     an accented note or chord
//   r/4       a rest
//   _/4       the previous note or chord held on for that long
//   |         a bar line: the bar before it must be exactly full
#pragma once

#include <cstdint>
#include <string>
#include <vector>

static const int ticksPerQuarter = 480;
static const int drumChannel = 9;

struct MidiVoice {
    const char* name;
    int channel;       // 0..15; drumChannel plays General MIDI drum keys
    int program;       // General MIDI instrument 0..127 (ignored for drums)
    int volume;        // controller 7
    int pan;           // controller 10: 0 left, 64 centre, 127 right
    int velocity;      // of an unaccented note
    int gatePercent;   // how much of its length a note sounds
    const char* const* parts;  // note data, read one after another; null-terminated
};

struct Tune {
    const char* fileName;
    const char* title;
    int beatsPerMinute;  // quarter notes a minute
    int beatsPerBar;     // quarter notes a bar
    const MidiVoice* voices;
    int voiceCount;
};

struct NoteEvent {
    int32_t start;   // ticks from the start of the tune
    int32_t length;  // ticks the note sounds
    int key;
    int velocity;
};

struct VoiceNotes {
    std::vector<NoteEvent> notes;
    int32_t length;     // ticks up to the last bar line or token
    std::string error;  // empty when the notation is sound
};

// Reads a voice's notation; on an error the message names the voice, the
// token and why.
VoiceNotes readVoice(const MidiVoice& voice, int barTicks);

// A whole Standard MIDI File (format 1: a tempo track, then one track per
// voice, every track ending on the same tick). Empty on an error, with the
// message in `error`.
std::vector<uint8_t> encodeTune(const Tune& tune, std::string* error);

// The tune's length in seconds, from its longest voice; -1 on a notation error.
double tuneSeconds(const Tune& tune);

// A number as a MIDI variable-length quantity (7 bits a byte, high bit set on
// all but the last); values up to 0x0FFFFFFF.
void putVariableLength(std::vector<uint8_t>& out, uint32_t value);

// The game's tunes, each in its own file as note data, and all three in the
// order of their track numbers.
extern const Tune fieldTune;   // nemuri.mid: the journey's lullaby
extern const Tune bossTune;    // t_midi105_boss08.mid: the final battle
extern const Tune endingTune;  // aoi.mid: the universe was saved
extern const Tune* const tunes[];
extern const int tuneCount;
