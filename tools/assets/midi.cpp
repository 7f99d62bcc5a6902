// Reading the note notation and writing Standard MIDI Files by hand.
#include "midi.h"


#include <algorithm>
#include <cctype>
#include <sstream>

static const int32_t wholeNote = 4 * ticksPerQuarter;

// ---- Reading the notation ----

static bool readPitch(const std::string& text, size_t* at, int* key)
{
    static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    size_t i = *at;
    if (i >= text.size() || text[i] < 'A' || text[i] > 'G')
        return false;
    int semitone = semitones[text[i] - 'A'];
    ++i;
    while (i < text.size() && (text[i] == '#' || text[i] == 'b'))
        semitone += text[i++] == '#' ? 1 : -1;
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return false;
    int octave = text[i++] - '0';
    *key = 12 * (octave + 1) + semitone;
    *at = i;
    return *key >= 0 && *key <= 127;
}

// Reads "/n" and an optional dot; with neither, the length stays as it was.
static bool readLength(const std::string& text, size_t* at, int32_t* length)
{
    size_t i = *at;
    if (i >= text.size())
        return true;
    if (text[i] != '/')
        return false;
    int divisor = 0;
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && divisor < 1000; ++i)
        divisor = divisor * 10 + (text[i] - '0');
    if (divisor <= 0 || divisor > 32 || wholeNote % divisor != 0)
        return false;
    int32_t ticks = wholeNote / divisor;
    if (i < text.size() && text[i] == '.') {
        ticks += ticks / 2;
        ++i;
    }
    *length = ticks;
    *at = i;
    return i == text.size();
}

struct Reader {
    const MidiVoice& voice;
    int barTicks;
    VoiceNotes result;
    int32_t position = 0;
    int32_t length = ticksPerQuarter;  // the last length written
    size_t heldFrom = 0;               // the notes that '_' lengthens
    int bar = 1;
};

static bool fail(Reader& r, const std::string& token, const std::string& why)
{
    r.result.error = std::string(r.voice.name) + ": bar " + std::to_string(r.bar) + ", \"" + token + "\": " + why;
    return false;
}

static bool readBarLine(Reader& r, const std::string& token)
{
    int32_t expected = static_cast<int32_t>(r.bar) * r.barTicks;
    if (r.position != expected)
        return fail(r, token, "the bar holds " + std::to_string(r.position - expected + r.barTicks) +
                                  " ticks, not " + std::to_string(r.barTicks));
    ++r.bar;
    return true;
}

static bool readNotes(Reader& r, const std::string& token)
{
    size_t at = 0;
    bool accent = token[0] == '>';
    if (accent)
        ++at;
    std::vector<int> keys;
    bool rest = false, hold = false;
    if (at < token.size() && (token[at] == 'r' || token[at] == '_')) {
        rest = token[at] == 'r';
        hold = !rest;
        ++at;
    } else {
        for (;;) {
            int key = 0;
            if (!readPitch(token, &at, &key))
                return fail(r, token, "not a note, rest, hold or bar line");
            keys.push_back(key);
            if (at >= token.size() || token[at] != '+')
                break;
            ++at;
        }
    }
    if (!readLength(token, &at, &r.length))
        return fail(r, token, "the length must be /n (n dividing 1920, at most 32) with an optional dot");
    if (hold) {
        if (r.heldFrom >= r.result.notes.size())
            return fail(r, token, "nothing to hold");
        for (size_t i = r.heldFrom; i < r.result.notes.size(); ++i)
            r.result.notes[i].length += r.length;
    } else if (!rest) {
        r.heldFrom = r.result.notes.size();
        bool downbeat = r.position % r.barTicks == 0;
        int velocity = r.voice.velocity + (accent ? 20 : 0) + (downbeat ? 6 : 0);
        velocity = std::min(127, std::max(1, velocity));
        for (int key : keys)
            r.result.notes.push_back(NoteEvent{r.position, r.length, key, velocity});
    } else {
        r.heldFrom = r.result.notes.size();
    }
    r.position += r.length;
    return true;
}

VoiceNotes readVoice(const MidiVoice& voice, int barTicks)
{
    Reader r{voice, barTicks, {}};
    for (const char* const* part = voice.parts; *part; ++part) {
        std::istringstream words(*part);
        std::string token;
        while (words >> token) {
            bool ok = token == "|" ? readBarLine(r, token) : readNotes(r, token);
            if (!ok)
                return r.result;
        }
    }
    r.result.length = r.position;
    return r.result;
}

// ---- Writing the file ----

void putVariableLength(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7Fu);
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1)
        out.push_back(static_cast<uint8_t>(groups[--count] | 0x80u));
    out.push_back(groups[0]);
}

// One event of a track: when, which goes first at the same tick (note-offs,
// then settings, then note-ons), and its bytes.
struct TrackEvent {
    int32_t tick;
    int order;
    std::vector<uint8_t> bytes;
};

static void putBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i) & 0xFFu));
}

static std::vector<uint8_t> metaText(int type, const char* text)
{
    std::string s(text);
    std::vector<uint8_t> bytes{0xFF, static_cast<uint8_t>(type)};
    putVariableLength(bytes, static_cast<uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return bytes;
}

// Sorts the events, writes them with their delta times and closes the track
// with an end-of-track event exactly on `endTick`.
static void putTrack(std::vector<uint8_t>& file, std::vector<TrackEvent> events, int32_t endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    int32_t now = 0;
    for (const TrackEvent& e : events) {
        putVariableLength(body, static_cast<uint32_t>(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    putVariableLength(body, static_cast<uint32_t>(endTick - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
}

static std::vector<TrackEvent> tempoEvents(const Tune& tune)
{
    uint32_t microseconds = 60000000u / static_cast<uint32_t>(tune.beatsPerMinute);
    std::vector<uint8_t> tempo{0xFF, 0x51, 0x03};
    putBigEndian(tempo, microseconds, 3);
    std::vector<uint8_t> meter{0xFF, 0x58, 0x04, static_cast<uint8_t>(tune.beatsPerBar), 2, 24, 8};
    return {{0, 1, metaText(0x03, tune.title)}, {0, 1, meter}, {0, 1, tempo}};
}

static std::vector<TrackEvent> voiceEvents(const MidiVoice& voice, const VoiceNotes& notes)
{
    uint8_t ch = static_cast<uint8_t>(voice.channel & 0x0F);
    std::vector<TrackEvent> events{{0, 1, metaText(0x03, voice.name)}};
    if (voice.channel != drumChannel)
        events.push_back({0, 1, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(voice.program & 0x7F)}});
    events.push_back({0, 1, {static_cast<uint8_t>(0xB0 | ch), 7, static_cast<uint8_t>(voice.volume & 0x7F)}});
    events.push_back({0, 1, {static_cast<uint8_t>(0xB0 | ch), 10, static_cast<uint8_t>(voice.pan & 0x7F)}});
    events.push_back({0, 1, {static_cast<uint8_t>(0xB0 | ch), 91, 40}});
    for (const NoteEvent& n : notes.notes) {
        int32_t sounding = std::max<int32_t>(1, n.length * voice.gatePercent / 100);
        uint8_t key = static_cast<uint8_t>(n.key), velocity = static_cast<uint8_t>(n.velocity);
        events.push_back({n.start, 2, {static_cast<uint8_t>(0x90 | ch), key, velocity}});
        events.push_back({n.start + sounding, 0, {static_cast<uint8_t>(0x80 | ch), key, 0}});
    }
    return events;
}

std::vector<uint8_t> encodeTune(const Tune& tune, std::string* error)
{
    int barTicks = tune.beatsPerBar * ticksPerQuarter;
    std::vector<VoiceNotes> voices;
    for (int v = 0; v < tune.voiceCount; ++v) {
        voices.push_back(readVoice(tune.voices[v], barTicks));
        if (!voices.back().error.empty()) {
            *error = std::string(tune.fileName) + ", " + voices.back().error;
            return {};
        }
        if (voices.back().length != voices[0].length || voices.back().length % barTicks != 0) {
            *error = std::string(tune.fileName) + ", " + tune.voices[v].name + ": " +
                     std::to_string(voices.back().length) + " ticks long, not a whole number of bars equal to " +
                     tune.voices[0].name + "'s " + std::to_string(voices[0].length);
            return {};
        }
    }
    int32_t end = voices.empty() ? 0 : voices[0].length;
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBigEndian(file, static_cast<uint32_t>(tune.voiceCount + 1), 2);
    putBigEndian(file, ticksPerQuarter, 2);
    putTrack(file, tempoEvents(tune), end);
    for (int v = 0; v < tune.voiceCount; ++v)
        putTrack(file, voiceEvents(tune.voices[v], voices[static_cast<size_t>(v)]), end);
    return file;
}

double tuneSeconds(const Tune& tune)
{
    int32_t longest = 0;
    for (int v = 0; v < tune.voiceCount; ++v) {
        VoiceNotes notes = readVoice(tune.voices[v], tune.beatsPerBar * ticksPerQuarter);
        if (!notes.error.empty())
            return -1;
        longest = std::max(longest, notes.length);
    }
    return longest * 60.0 / (tune.beatsPerMinute * static_cast<double>(ticksPerQuarter));
}

const Tune* const tunes[] = {&fieldTune, &bossTune, &endingTune};
const int tuneCount = sizeof tunes / sizeof tunes[0];
