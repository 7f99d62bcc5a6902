// Sound effects as synthesis recipes: each effect is a few layers (a tone
// gliding between two pitches, or noise through a sweeping band filter),
// each with its own start, length, loudness and envelope. Rendered mono at
// 22 050 Hz and written as 16-bit PCM WAV files through libsndfile.
#pragma once

#include <string>
#include <vector>

static const int effectRate = 22050;

enum Wave { Sine, Square, Pulse, Triangle, Saw, Noise };

struct Layer {
    float start;         // seconds from the start of the effect
    float length;        // seconds
    Wave wave;
    float fromHz, toHz;       // pitch glide; for Noise the band's centre (0: unfiltered)
    float volume;             // 0..1
    float attack;             // seconds of linear fade-in
    float decay;              // time constant of the exponential fade, seconds; 0 holds
    float vibratoHz = 0;      // pitch wobble of a tone
    float vibratoDepth = 0;   // semitones
    float resonance = 1.0f;   // sharpness (Q) of a noise band
};

struct EffectRecipe {
    const char* fileName;  // inside the dat folder
    const char* role;
    float peak;            // loudest sample, 0..1 of full scale
    const Layer* layers;
    int layerCount;
};

// The effect's samples, -1..1, as long as its last layer; its loudest sample
// at `peak`.
std::vector<float> renderEffect(const EffectRecipe& recipe);

// 16-bit mono PCM at effectRate; false (after reporting why) on failure.
bool writeWav(const std::string& path, const std::vector<float>& samples);

extern const EffectRecipe effectRecipes[];
extern const int effectRecipeCount;
