// The looping background music and the thirteen sound effects.
#pragma once

#include <cstdint>

enum MusicTrack : int { FieldMusic = 0, BossMusic = 1, EndingMusic = 2 };

enum SoundEffect : int {
    StepForwardSound = 1,
    StepBackSound = 2,
    SuccessSound = 3,
    AttackSound = 4,
    EnemyTurnSound = 5,
    VictorySound = 6,
    FlightSound = 7,
    HealSound = 8,
    LoweredSound = 9,
    BlastSound = 10,
    UnusedBlipSound = 11,
    DodgeSound = 12,
    CriticalSound = 13,
};
const int soundEffectCount = 13;

int playMusic(int track);
int stopMusic();
int restartMusic();
// The music device's end-of-play notification with its code.
void onMusicNotify(uintptr_t code);
bool musicIsOpen();
int currentMusicTrack();

void loadSoundEffects();
int playSoundEffect(int effect);
void releaseSoundEffects();
// The file of an effect 1..13, for the asset generator and tests.
const char* soundEffectFile(int effect);
// Effects in the order they are loaded.
extern const int soundLoadOrder[soundEffectCount];
