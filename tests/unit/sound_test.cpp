// Music command strings and the sound-effect store.
#include "tests/unit/support.h"

#include <cstring>

#include "shell/sound.h"

TEST(Music, CommandsPerRequest)
{
    freshProcess();
    playMusic(FieldMusic);
    playMusic(FieldMusic);  // already playing: not restarted
    playMusic(BossMusic);
    EXPECT_EQ(events(), (std::vector<std::string>{
                            "mci open dat\\nemuri.mid alias music", "mci play music NOTIFY",
                            "mci stop music", "mci close music",
                            "mci open dat\\t_midi105_boss08.mid alias music", "mci play music NOTIFY"}));
    // Only the play commands ask for the end-of-play notification.
    for (const RecordedCall& c : callsOf("sendMusicCommand"))
        EXPECT_EQ(c.args[0] != 0, c.text == "play music NOTIFY") << c.text;

    clearCalls();
    restartMusic();
    EXPECT_EQ(events(), (std::vector<std::string>{"mci seek music to start", "mci play music NOTIFY"}));

    clearCalls();
    playMusic(7);  // no such track: the music stops, nothing starts
    EXPECT_EQ(events(), (std::vector<std::string>{"mci stop music", "mci close music"}));
    clearCalls();
    stopMusic();
    restartMusic();
    EXPECT_TRUE(events().empty());

    playMusic(EndingMusic);
    EXPECT_EQ(callsOf("sendMusicCommand")[0].text, "open dat\\aoi.mid alias music");
}

// A minimal valid WAV image: RIFF header, fmt chunk, data chunk.
static std::string wave(uint32_t dataBytes, uint32_t claimedData)
{
    std::string w = "RIFF";
    uint32_t riff = 4 + 8 + 16 + 8 + dataBytes;
    w.append(reinterpret_cast<const char*>(&riff), 4);
    w += "WAVEfmt ";
    uint32_t sixteen = 16;
    w.append(reinterpret_cast<const char*>(&sixteen), 4);
    w.append(16, '\x01');
    w += "data";
    w.append(reinterpret_cast<const char*>(&claimedData), 4);
    w.append(dataBytes, '\0');
    return w;
}

TEST(Effects, LoadedInOrderSharedWithNoOne)
{
    freshProcess();
    for (int effect = 1; effect <= soundEffectCount; ++effect)
        if (effect != 5)
            addFakeFile(soundEffectFile(effect), FakeFile{wave(10, 10)});
    loadSoundEffects();
    std::vector<std::string> opened;
    for (const RecordedCall& c : callsOf("fileOpen")) {
        opened.push_back(c.text);
        EXPECT_EQ(c.args[0], ShareNothing);
    }
    EXPECT_EQ(opened.size(), 13u);
    EXPECT_EQ(opened[6], "dat\\heal.wav");
    EXPECT_EQ(opened[7], "dat\\asi3.wav");
    EXPECT_EQ(openFileCount(), 0);

    clearCalls();
    playSoundEffect(1);
    playSoundEffect(5);  // missing file: plays nothing, which stops the last effect
    playSoundEffect(0);
    playSoundEffect(14);
    std::vector<RecordedCall> played = callsOf("playWave");
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].args, (std::vector<int64_t>{1, 1}));
    EXPECT_EQ(played[1].args, (std::vector<int64_t>{5, 0}));

    clearCalls();
    releaseSoundEffects();
    EXPECT_EQ(callsOf("playWave")[0].args, (std::vector<int64_t>{0, 0}));  // stopped before freeing
}

TEST(Effects, AFileWhoseChunksOverrunItIsNeverPlayed)
{
    freshProcess();
    addFakeFile(soundEffectFile(1), FakeFile{wave(10, 4000)});  // data chunk claims 4000 bytes
    std::string truncated = wave(10, 10);
    truncated.resize(truncated.size() - 4);  // RIFF size larger than the file
    addFakeFile(soundEffectFile(2), FakeFile{truncated});
    addFakeFile(soundEffectFile(3), FakeFile{"not a wave at all"});
    FakeFile unreadable{wave(10, 10)};
    unreadable.readFails = true;
    addFakeFile(soundEffectFile(4), unreadable);
    addFakeFile(soundEffectFile(6), FakeFile{wave(10, 10)});
    loadSoundEffects();
    clearCalls();
    for (int effect : {1, 2, 3, 4, 6})
        playSoundEffect(effect);
    std::vector<RecordedCall> played = callsOf("playWave");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(played[i].args[1], 0) << "effect " << played[i].args[0];
    EXPECT_EQ(played[4].args[1], 1);
    releaseSoundEffects();
}

TEST(Music, OnlyATrackThatPlayedToItsEndRestarts)
{
    freshProcess();
    playMusic(FieldMusic);
    clearCalls();
    onMusicNotify(2);  // superseded
    onMusicNotify(4);  // aborted
    onMusicNotify(8);  // failure
    EXPECT_TRUE(events().empty());
    onMusicNotify(1);
    EXPECT_EQ(events(), (std::vector<std::string>{"mci seek music to start", "mci play music NOTIFY"}));
}
