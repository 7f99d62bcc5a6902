// The looping music through the music device's command strings, and the
// thirteen effects held in memory and played from there.
#include "shell/sound.h"

#include <cstdlib>
#include <cstring>

#include "shell/platform.h"

static bool musicOpen = false;
static int currentTrack = 0;

static const char* const openCommands[] = {
    "open dat\\nemuri.mid alias music",            // field
    "open dat\\t_midi105_boss08.mid alias music",  // final boss
    "open dat\\aoi.mid alias music",               // ending
};

int playMusic(int track)
{
    if (musicOpen && track == currentTrack)
        return 0;
    if (musicOpen)
        stopMusic();
    if (track < 0 || track > 2)
        return 0;
    platform::sendMusicCommand(openCommands[track], false);
    platform::sendMusicCommand("play music NOTIFY", true);
    musicOpen = true;
    currentTrack = track;
    return 0;
}

int stopMusic()
{
    if (!musicOpen)
        return 0;
    platform::sendMusicCommand("stop music", false);
    platform::sendMusicCommand("close music", false);
    musicOpen = false;
    return 0;
}

int restartMusic()
{
    if (!musicOpen)
        return 0;
    platform::sendMusicCommand("seek music to start", false);
    platform::sendMusicCommand("play music NOTIFY", true);
    return 0;
}

// Only a track that played to its end starts again. Stopping, seeking or
// replaying a track cancels its pending notice, which then arrives as
// "aborted" or "superseded"; restarting on those would cancel the new notice
// in turn and restart the track without end.
void onMusicNotify(uintptr_t code)
{
    const uintptr_t playedToTheEnd = 1;  // MCI_NOTIFY_SUCCESSFUL
    if (code == playedToTheEnd)
        restartMusic();
}

bool musicIsOpen()
{
    return musicOpen;
}

int currentMusicTrack()
{
    return currentTrack;
}

// ---- effects ----

static const char* const effectFiles[soundEffectCount] = {
    "dat\\swit004.wav",   // 1 step forward
    "dat\\swit006.wav",   // 2 step back
    "dat\\success.wav",   // 3 level-up, hero made, second arrow
    "dat\\doku.wav",      // 4 the hero attacks
    "dat\\dageki1.wav",   // 5 the enemy's turn
    "dat\\poko.wav",      // 6 victory
    "dat\\asi3.wav",      // 7 flight
    "dat\\heal.wav",      // 8 heal, rest, full-heal card
    "dat\\drop.wav",      // 9 lowering cards
    "dat\\bokaan.wav",    // 10 damaging cards, the final laughs
    "dat\\pikopiko.wav",  // 11 never played
    "dat\\avoid.wav",     // 12 a dodge
    "dat\\bokan2.wav",    // 13 a critical hit
};

const int soundLoadOrder[soundEffectCount] = {1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13};

static unsigned char* effects[soundEffectCount];

const char* soundEffectFile(int effect)
{
    return effect >= 1 && effect <= soundEffectCount ? effectFiles[effect - 1] : nullptr;
}

static uint32_t readLe32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The player trusts a WAV image's chunk sizes, so a file whose chunks run
// past its end must never reach it.
static bool waveFitsBuffer(const unsigned char* wave, uint32_t size)
{
    if (size < 12 || std::memcmp(wave, "RIFF", 4) != 0 || std::memcmp(wave + 8, "WAVE", 4) != 0)
        return false;
    uint64_t riffEnd = static_cast<uint64_t>(readLe32(wave + 4)) + 8;
    if (riffEnd > size)
        return false;
    uint64_t at = 12;
    while (at + 8 <= riffEnd) {
        uint64_t chunkEnd = at + 8 + readLe32(wave + at + 4);
        if (chunkEnd > riffEnd)
            return false;
        at = chunkEnd + (chunkEnd & 1);
    }
    return true;
}

// The whole file in a buffer of its size, or null.
static unsigned char* loadEffect(const char* path)
{
    FileRef file = platform::fileOpen(path, ShareNothing);
    if (file == noFile)
        return nullptr;
    unsigned char* buffer = nullptr;
    uint32_t size = 0;
    if (platform::fileSize32(file, &size) && size > 0)
        buffer = static_cast<unsigned char*>(std::malloc(size));
    if (buffer && !(platform::fileReadAll(file, buffer, size) && waveFitsBuffer(buffer, size))) {
        std::free(buffer);
        buffer = nullptr;
    }
    platform::fileClose(file);
    return buffer;
}

void loadSoundEffects()
{
    for (int effect : soundLoadOrder)
        effects[effect - 1] = loadEffect(effectFiles[effect - 1]);
}

int playSoundEffect(int effect)
{
    if (effect < 1 || effect > soundEffectCount)
        return 0;
    platform::playWave(effect, effects[effect - 1]);
    return 0;
}

void releaseSoundEffects()
{
    platform::playWave(0, nullptr);  // stop the effect still playing before its buffer goes
    for (unsigned char*& buffer : effects) {
        std::free(buffer);
        buffer = nullptr;
    }
}
