// The tune notation, the MIDI file encoding, and the game's three tunes read
// back from the bytes the generator writes.
#include "midi.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const int bar44 = 4 * ticksPerQuarter;

MidiVoice voiceOf(const char* const* parts)
{
    return MidiVoice{"test voice", 0, 0, 100, 64, 80, 100, parts};
}

VoiceNotes read(const char* notation, int barTicks = bar44)
{
    static const char* parts[2];
    parts[0] = notation;
    parts[1] = nullptr;
    return readVoice(voiceOf(parts), barTicks);
}

// One track of a MIDI file, read back: its events with absolute ticks.
struct ReadEvent {
    int32_t tick;
    std::vector<uint8_t> bytes;
};
struct ReadTrack {
    std::vector<ReadEvent> events;
    int32_t endTick = -1;  // the tick of the end-of-track event
};

uint32_t readVariable(const std::vector<uint8_t>& data, size_t& at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4 && at < data.size(); ++i) {
        uint8_t byte = data[at++];
        value = value << 7 | (byte & 0x7Fu);
        if (!(byte & 0x80u))
            break;
    }
    return value;
}

// Reads a format-1 file the way a sequencer would; fails the test on any
// structural fault (bad chunk, lengths that do not add up, no end of track).
std::vector<ReadTrack> readMidi(const std::vector<uint8_t>& file)
{
    std::vector<ReadTrack> tracks;
    EXPECT_GE(file.size(), 14u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
    size_t trackCount = static_cast<size_t>(file[10] << 8 | file[11]);
    EXPECT_EQ(file[12] << 8 | file[13], ticksPerQuarter);
    size_t at = 14;
    for (size_t t = 0; t < trackCount; ++t) {
        EXPECT_EQ(std::string(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at) + 4), "MTrk");
        size_t length = static_cast<size_t>(file[at + 4]) << 24 | static_cast<size_t>(file[at + 5]) << 16 |
                        static_cast<size_t>(file[at + 6]) << 8 | file[at + 7];
        size_t end = at + 8 + length;
        EXPECT_LE(end, file.size());
        ReadTrack track;
        int32_t tick = 0;
        for (at += 8; at < end;) {
            tick += static_cast<int32_t>(readVariable(file, at));
            uint8_t status = file[at];
            size_t size = status == 0xFF ? 0 : ((status & 0xF0) == 0xC0 ? 2 : 3);
            if (status == 0xFF) {
                size_t meta = at + 2;
                size_t dataLength = readVariable(file, meta);
                size = (meta - at) + dataLength;
                if (file[at + 1] == 0x2F)
                    track.endTick = tick;
            }
            track.events.push_back({tick, std::vector<uint8_t>(file.begin() + static_cast<long>(at),
                                                               file.begin() + static_cast<long>(at + size))});
            at += size;
        }
        EXPECT_EQ(at, end) << "track " << t << " overruns its length";
        EXPECT_EQ(track.events.back().bytes, (std::vector<uint8_t>{0xFF, 0x2F, 0x00})) << "track " << t;
        tracks.push_back(track);
    }
    EXPECT_EQ(at, file.size());
    return tracks;
}

}  // namespace

TEST(Notation, ReadsNotesChordsRestsHoldsAndAccents)
{
    VoiceNotes v = read("C4/4 E4 r/8 G4+C5/8 _/4 | >A#3/2. Db5/16 r/16 r/8 | ");
    ASSERT_EQ(v.error, "");
    ASSERT_EQ(v.notes.size(), 6u);
    // The length carries over (E4 is a quarter too), the chord is held on.
    EXPECT_EQ(v.notes[0].start, 0);
    EXPECT_EQ(v.notes[0].key, 60);
    EXPECT_EQ(v.notes[1].start, 480);
    EXPECT_EQ(v.notes[1].length, 480);
    EXPECT_EQ(v.notes[2].key, 67);
    EXPECT_EQ(v.notes[3].key, 72);
    EXPECT_EQ(v.notes[2].start, 1200);
    EXPECT_EQ(v.notes[3].length, 240 + 480);
    // A dotted half, accented, on the downbeat of the second bar.
    EXPECT_EQ(v.notes[4].key, 58);
    EXPECT_EQ(v.notes[4].start, bar44);
    EXPECT_EQ(v.notes[4].length, 1440);
    EXPECT_EQ(v.notes[4].velocity, 80 + 20 + 6);
    EXPECT_EQ(v.notes[5].key, 73);
    EXPECT_EQ(v.notes[5].velocity, 80);
    EXPECT_EQ(v.length, 2 * bar44);
}

TEST(Notation, ReadsTripletsAndTheExtremesOfTheKeyboard)
{
    VoiceNotes v = read("C-1/12 C-1 C-1 G9/2. | ");
    EXPECT_NE(v.error, "") << "an octave of -1 is not in the notation";
    v = read("C0/12 C0 C0 G9/2. | ");
    ASSERT_EQ(v.error, "");
    EXPECT_EQ(v.notes[0].key, 12);
    EXPECT_EQ(v.notes[2].start, 320);
    EXPECT_EQ(v.notes[3].key, 127);
    EXPECT_NE(read("G#9/1 | ").error, "") << "key 128 is beyond MIDI";
    VoiceNotes flat = read("Cb0/1 | ");
    ASSERT_EQ(flat.error, "");
    EXPECT_EQ(flat.notes[0].key, 11);
}

TEST(Notation, ReportsFaultsByVoiceBarAndToken)
{
    VoiceNotes full = read("C4/4 C4 C4 | C4/2 C4/4 | ");
    EXPECT_EQ(full.error, "test voice: bar 1, \"|\": the bar holds 1440 ticks, not 1920");
    VoiceNotes over = read("C4/1 | C4/1 C4/4 | ");
    EXPECT_EQ(over.error, "test voice: bar 2, \"|\": the bar holds 2400 ticks, not 1920");
    EXPECT_NE(read("H4/4").error.find("\"H4/4\": not a note"), std::string::npos);
    EXPECT_NE(read("C/4").error.find("not a note"), std::string::npos);
    EXPECT_NE(read("C4/7").error.find("the length must be"), std::string::npos);
    EXPECT_EQ(read("C4/5 C4 C4 C4 C4 | ").error, "") << "quintuplets divide the bar evenly";
    EXPECT_NE(read("C4/64").error.find("the length must be"), std::string::npos);
    EXPECT_NE(read("C4/0").error.find("the length must be"), std::string::npos);
    EXPECT_NE(read("C4/99999999999").error.find("the length must be"), std::string::npos);
    EXPECT_NE(read("C4/4x").error.find("the length must be"), std::string::npos);
    EXPECT_NE(read("C4+/4").error.find("not a note"), std::string::npos);
    EXPECT_NE(read("_/4 C4/4").error.find("nothing to hold"), std::string::npos);
    EXPECT_NE(read("C4/4 r/4 _/4").error.find("nothing to hold"), std::string::npos);
}

TEST(VariableLength, EncodesTheStandardExamples)
{
    const std::pair<uint32_t, std::vector<uint8_t>> cases[] = {
        {0x00, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        putVariableLength(out, c.first);
        EXPECT_EQ(out, c.second) << std::hex << c.first;
    }
}

TEST(MidiFile, EveryTrackEndsOnTheSameBarAndEveryNoteStopsBeforeIt)
{
    static const char* const melody[] = {"C5/2 E5/2 | G5/1 | ", nullptr};
    static const char* const bass[] = {"C3/1 | ", "C3/2 G2/2 | ", nullptr};
    static const MidiVoice voices[] = {{"melody", 0, 73, 100, 64, 90, 90, melody},
                                       {"bass", 1, 32, 100, 64, 90, 100, bass}};
    Tune tune{"test.mid", "Test", 120, 4, voices, 2};
    std::string error;
    std::vector<ReadTrack> tracks = readMidi(encodeTune(tune, &error));
    ASSERT_EQ(error, "");
    ASSERT_EQ(tracks.size(), 3u);
    for (const ReadTrack& t : tracks)
        EXPECT_EQ(t.endTick, 2 * bar44);
    // The tempo: 500000 microseconds a quarter at 120 beats a minute.
    bool tempo = false;
    for (const ReadEvent& e : tracks[0].events)
        tempo |= e.bytes == std::vector<uint8_t>{0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    EXPECT_TRUE(tempo);
    // The melody's program comes before its first note; notes stop at 90%.
    const std::vector<ReadEvent>& m = tracks[1].events;
    EXPECT_EQ(m[1].bytes, (std::vector<uint8_t>{0xC0, 73}));
    std::vector<int32_t> offs;
    for (const ReadEvent& e : m)
        if ((e.bytes[0] & 0xF0) == 0x80)
            offs.push_back(e.tick);
    EXPECT_EQ(offs, (std::vector<int32_t>{864, 960 + 864, 1920 + 1728}));
    EXPECT_DOUBLE_EQ(tuneSeconds(tune), 4.0);
}

TEST(MidiFile, RefusesVoicesOfDifferentLengthsOrBadNotation)
{
    static const char* const longer[] = {"C5/1 | C5/1 | ", nullptr};
    static const char* const shorter[] = {"C3/1 | ", nullptr};
    static const char* const broken[] = {"C3/1 | X | ", nullptr};
    static const char* const ragged[] = {"C3/1 C3/4", nullptr};
    const MidiVoice a{"long", 0, 0, 100, 64, 90, 90, longer};
    const MidiVoice b{"short", 1, 0, 100, 64, 90, 90, shorter};
    const MidiVoice c{"broken", 1, 0, 100, 64, 90, 90, broken};
    const MidiVoice d{"ragged", 0, 0, 100, 64, 90, 90, ragged};
    const MidiVoice pairs[][2] = {{a, b}, {a, c}};
    std::string error;
    Tune uneven{"uneven.mid", "Uneven", 120, 4, pairs[0], 2};
    EXPECT_TRUE(encodeTune(uneven, &error).empty());
    EXPECT_NE(error.find("uneven.mid, short: 1920 ticks long"), std::string::npos) << error;
    Tune faulty{"faulty.mid", "Faulty", 120, 4, pairs[1], 2};
    EXPECT_TRUE(encodeTune(faulty, &error).empty());
    EXPECT_NE(error.find("faulty.mid, broken: bar 2, \"X\""), std::string::npos) << error;
    EXPECT_EQ(tuneSeconds(faulty), -1);
    Tune unfinished{"unfinished.mid", "Unfinished", 120, 4, &d, 1};
    EXPECT_TRUE(encodeTune(unfinished, &error).empty()) << "a last bar left short cannot loop";
}

// Each game tune: its length, its voices (a melody, a bass, harmony), and a
// clean loop: every track ends on the same bar line with no note sounding on.
TEST(GameTunes, HaveTheirLengthsVoicesAndLoopCleanly)
{
    struct Expected {
        const Tune* tune;
        const char* file;
        double shortest, longest;
    } expected[] = {{&fieldTune, "nemuri.mid", 45, 90},
                    {&bossTune, "t_midi105_boss08.mid", 30, 60},
                    {&endingTune, "aoi.mid", 45, 90}};
    ASSERT_EQ(tuneCount, 3);
    for (int i = 0; i < 3; ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(e.file);
        EXPECT_EQ(tunes[i], e.tune);
        EXPECT_STREQ(e.tune->fileName, e.file);
        double seconds = tuneSeconds(*e.tune);
        EXPECT_GE(seconds, e.shortest);
        EXPECT_LE(seconds, e.longest);
        EXPECT_GE(e.tune->voiceCount, 3);
        std::string error;
        std::vector<ReadTrack> tracks = readMidi(encodeTune(*e.tune, &error));
        ASSERT_EQ(error, "");
        int32_t end = tracks[0].endTick;
        EXPECT_EQ(end % (e.tune->beatsPerBar * ticksPerQuarter), 0);
        std::map<int, int> channels;
        for (const ReadTrack& t : tracks) {
            EXPECT_EQ(t.endTick, end);
            std::map<int, int> sounding;  // key -> notes on
            for (const ReadEvent& ev : t.events) {
                int kind = ev.bytes[0] & 0xF0;
                if (kind == 0x90)
                    ++sounding[ev.bytes[1]], ++channels[ev.bytes[0] & 0x0F];
                if (kind == 0x80)
                    --sounding[ev.bytes[1]];
            }
            for (const auto& key : sounding)
                EXPECT_EQ(key.second, 0) << "key " << key.first << " is left sounding";
        }
        EXPECT_EQ(static_cast<int>(channels.size()), e.tune->voiceCount) << "every voice plays";
    }
}
