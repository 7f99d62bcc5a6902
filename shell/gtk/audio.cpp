// Music and sound effects through SDL_mixer. The music device's command
// strings are carried out on the MIDI files of the dat folder, played by
// SDL_mixer's own synthesiser with the instruments of Debian's freepats
// package; the end of a track comes back to the main loop as the
// end-of-play notice. Effects play from their WAV images in memory on one
// channel, so a new one cuts off the old. Without an audio device the game
// is silent, and says nothing about it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "shell/gtk/native.h"
#include "shell/sound.h"

static bool audioOpen = false;
static Mix_Music* music = nullptr;  // the track open under the alias
static Mix_Chunk* effect = nullptr;  // the effect last started
// The play of the open track that may still reach its end; 0 for none. The
// mixer's thread takes it when the track ends, so that a track stopped,
// sought or replaced meanwhile is never reported as played to its end.
static std::atomic<unsigned> playing{0};
static unsigned plays = 0;

static void onMusicFinished()
{
    unsigned play = playing.exchange(0);
    if (play != 0)
        postMusicNotice(play);
}

// Runs the audio system's start with standard error closed: the sound
// libraries beneath SDL print their complaints about a missing device there.
template <typename Start>
static bool quietly(Start start)
{
    fflush(stderr);
    int saved = dup(STDERR_FILENO);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0)
        dup2(null, STDERR_FILENO);
    bool started = start();
    if (saved >= 0 && null >= 0)
        dup2(saved, STDERR_FILENO);
    if (null >= 0)
        close(null);
    if (saved >= 0)
        close(saved);
    return started;
}

void openAudio()
{
    // The synthesiser and its instruments come from Debian packages; the
    // player sets nothing up.
    SDL_SetHint("SDL_MIXER_DISABLE_FLUIDSYNTH", "1");
    // SDL would turn SIGTERM and SIGINT into events of its own that nobody
    // reads here, and the game would then outlive a kill or a Ctrl+C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (access("/etc/timidity/freepats.cfg", R_OK) == 0)
        Mix_SetTimidityCfg("/etc/timidity/freepats.cfg");
    audioOpen = quietly([] {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        return true;
    });
    if (!audioOpen)
        return;
    Mix_Init(MIX_INIT_MID);
    Mix_AllocateChannels(1);
    Mix_HookMusicFinished(onMusicFinished);
}

static void stopTrack()
{
    ++plays;  // a notice of the play before is out of date from now on
    playing = 0;
    if (music)
        Mix_HaltMusic();
}

static void closeTrack()
{
    stopTrack();
    if (music)
        Mix_FreeMusic(music);
    music = nullptr;
}

void closeAudio()
{
    if (!audioOpen)
        return;
    closeTrack();
    Mix_HaltChannel(-1);
    if (effect)
        Mix_FreeChunk(effect);
    effect = nullptr;
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen = false;
}

void deliverMusicNotice(unsigned play)
{
    const uintptr_t playedToTheEnd = 1;
    if (play == plays && music)
        onMusicNotify(playedToTheEnd);
}

// "open dat\file.mid alias music": the file, relative to the working folder.
static void openTrack(const std::string& command)
{
    const std::string alias = " alias music";
    if (command.size() <= 5 + alias.size() ||
        command.compare(command.size() - alias.size(), alias.size(), alias) != 0)
        return;
    closeTrack();
    std::string file = command.substr(5, command.size() - 5 - alias.size());
    music = Mix_LoadMUS(systemPathOf(file.c_str()).c_str());  // null: the game runs on in silence
}

void platform::sendMusicCommand(const char* command, bool)
{
    if (!audioOpen || !command)
        return;
    std::string text = command;
    if (text.compare(0, 5, "open ") == 0) {
        openTrack(text);
    } else if (text.compare(0, 10, "play music") == 0) {
        if (!music)
            return;
        stopTrack();
        playing = ++plays;
        if (Mix_PlayMusic(music, 1) != 0)
            playing = 0;
    } else if (text == "stop music" || text == "seek music to start") {
        // A track sought to its start plays from there when it is played again.
        stopTrack();
    } else if (text == "close music") {
        closeTrack();
    }
}

static uint32_t readLe32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void platform::playWave(int, const unsigned char* wave)
{
    if (!audioOpen)
        return;
    Mix_HaltChannel(0);
    if (effect)
        Mix_FreeChunk(effect);
    effect = nullptr;
    if (!wave)
        return;  // an empty slot only stops the effect playing
    // The image's RIFF size tells its length; the store checked it fits.
    uint32_t size = readLe32(wave + 4) + 8;
    effect = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave, static_cast<int>(size)), 1);
    if (effect)
        Mix_PlayChannel(0, effect, 0);
}
