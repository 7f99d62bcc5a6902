// The sound-effect synthesis and the WAV files read back through libsndfile.
#include "synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sndfile.h>
#include <string>

namespace {

float peakOf(const std::vector<float>& samples)
{
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

}  // namespace

TEST(Effects, AreTheGameFilesInEffectOrder)
{
    const char* names[] = {"swit004.wav", "swit006.wav", "success.wav", "doku.wav", "dageki1.wav",
                           "poko.wav", "asi3.wav", "heal.wav", "drop.wav", "bokaan.wav",
                           "pikopiko.wav", "avoid.wav", "bokan2.wav"};
    ASSERT_EQ(effectRecipeCount, 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_STREQ(effectRecipes[i].fileName, names[i]);
}

// Each effect lasts as long as its last layer, peaks where its recipe says,
// starts and ends near silence (no click), and holds sound in between.
TEST(Effects, RenderToTheirLengthPeakAndQuietEdges)
{
    int shortOnes = 0;
    for (int i = 0; i < effectRecipeCount; ++i) {
        const EffectRecipe& recipe = effectRecipes[i];
        SCOPED_TRACE(recipe.fileName);
        float seconds = 0;
        for (int l = 0; l < recipe.layerCount; ++l)
            seconds = std::max(seconds, recipe.layers[l].start + recipe.layers[l].length);
        std::vector<float> samples = renderEffect(recipe);
        EXPECT_EQ(samples.size(), static_cast<size_t>(std::ceil(seconds * effectRate)));
        EXPECT_LE(samples.size(), static_cast<size_t>(1.5 * effectRate));
        shortOnes += samples.size() < static_cast<size_t>(0.6 * effectRate);
        EXPECT_NEAR(peakOf(samples), recipe.peak, 1e-4);
        EXPECT_LT(std::fabs(samples.front()), 0.05f);
        EXPECT_LT(std::fabs(samples.back()), 0.02f);
        double energy = 0;
        for (float s : samples)
            energy += s * s;
        EXPECT_GT(std::sqrt(energy / samples.size()), 0.05) << "more than a click";
    }
    EXPECT_GE(shortOnes, 9) << "most effects are short";
}

TEST(Effects, GlidesReachTheirTargetPitch)
{
    // A sine gliding from 200 Hz to 800 Hz: count zero crossings in the first
    // and last 50 ms.
    static const Layer glide[] = {{0.0f, 1.0f, Sine, 200, 800, 1.0f, 0.0f, 0.0f}};
    EffectRecipe recipe{"glide.wav", "test", 1.0f, glide, 1};
    std::vector<float> s = renderEffect(recipe);
    auto crossings = [&](size_t from, size_t count) {
        int n = 0;
        for (size_t i = from + 1; i < from + count; ++i)
            n += (s[i - 1] < 0) != (s[i] < 0);
        return n;
    };
    size_t window = effectRate / 20;
    EXPECT_NEAR(crossings(0, window), 2 * 200 * 0.05 * 1.04, 3);
    EXPECT_NEAR(crossings(s.size() - window, window), 2 * 800 * 0.05 * 0.97, 4);
}

TEST(WavFiles, AreSixteenBitMonoPcmThatReadsBack)
{
    std::vector<float> samples{0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f, -2.0f};
    std::string path = ::testing::TempDir() + "tavrenne-effect-test.wav";
    ASSERT_TRUE(writeWav(path, samples));
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.frames, 7);
    short back[7] = {};
    EXPECT_EQ(sf_read_short(file, back, 7), 7);
    sf_close(file);
    std::remove(path.c_str());
    // Out-of-range samples are clipped, not wrapped around.
    const short expected[7] = {0, 16384, -16384, 32767, -32767, 32767, -32767};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(back[i], expected[i]) << i;
}

TEST(WavFiles, AnUnwritablePathIsReportedAsAFailure)
{
    EXPECT_FALSE(writeWav("/nonexistent-folder/effect.wav", {0.0f, 0.1f}));
}
