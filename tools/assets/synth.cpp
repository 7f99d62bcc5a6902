// Rendering the effect recipes and writing them as WAV files.
#include "synth.h"

#include "assets.h"
#include "noise.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>

static const float pi = 3.14159265f;

static float envelope(const Layer& layer, float t)
{
    float level = layer.attack > 0 ? std::min(1.0f, t / layer.attack) : 1.0f;
    if (layer.decay > 0)
        level *= std::exp(-t / layer.decay);
    // A 4 ms fade at the end, so no layer stops with a click.
    float left = layer.length - t;
    if (left < 0.004f)
        level *= std::max(0.0f, left / 0.004f);
    return level;
}

static float oscillator(Wave wave, float phase)
{
    float p = phase - std::floor(phase);
    switch (wave) {
    case Sine:
        return std::sin(2 * pi * p);
    case Square:
        return p < 0.5f ? 0.8f : -0.8f;
    case Pulse:
        return p < 0.25f ? 0.8f : -0.8f;
    case Triangle:
        return p < 0.5f ? 4 * p - 1 : 3 - 4 * p;
    case Saw:
        return 2 * p - 1;
    case Noise:
        break;
    }
    return 0;
}

// Noise through a two-pole band-pass whose centre glides from fromHz to
// toHz; run twice a sample so that it stays stable up to 7 kHz.
static void addNoise(std::vector<float>& out, const Layer& layer, size_t first, size_t count, uint32_t seed)
{
    Xorshift random = makeXorshift(seed);
    float low = 0, band = 0;
    float damping = 1.0f / std::max(0.5f, layer.resonance);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = static_cast<float>(i) / effectRate;
        float x = nextRange(random, -1.0f, 1.0f);
        float y = x;
        if (layer.fromHz > 0) {
            float hz = layer.fromHz * std::pow(layer.toHz / layer.fromHz, t / layer.length);
            float f = 2 * std::sin(pi * std::min(hz, 7000.0f) / (2 * effectRate));
            for (int pass = 0; pass < 2; ++pass) {
                low += f * band;
                float high = x - low - damping * band;
                band += f * high;
            }
            y = band * damping * 1.5f;
        }
        out[first + i] += y * layer.volume * envelope(layer, t);
    }
}

static void addTone(std::vector<float>& out, const Layer& layer, size_t first, size_t count)
{
    double phase = 0;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = static_cast<float>(i) / effectRate;
        float hz = layer.fromHz * std::pow(layer.toHz / layer.fromHz, t / layer.length);
        hz *= std::pow(2.0f, layer.vibratoDepth / 12.0f * std::sin(2 * pi * layer.vibratoHz * t));
        out[first + i] += oscillator(layer.wave, static_cast<float>(phase)) * layer.volume * envelope(layer, t);
        phase += hz / effectRate;
    }
}

std::vector<float> renderEffect(const EffectRecipe& recipe)
{
    float seconds = 0;
    for (int i = 0; i < recipe.layerCount; ++i)
        seconds = std::max(seconds, recipe.layers[i].start + recipe.layers[i].length);
    std::vector<float> out(static_cast<size_t>(std::ceil(seconds * effectRate)), 0.0f);
    for (int i = 0; i < recipe.layerCount; ++i) {
        const Layer& layer = recipe.layers[i];
        size_t first = static_cast<size_t>(std::lround(layer.start * effectRate));
        size_t count = static_cast<size_t>(std::lround(layer.length * effectRate));
        if (layer.wave == Noise)
            addNoise(out, layer, first, count, 0x51F0u + static_cast<uint32_t>(i) * 7919u);
        else
            addTone(out, layer, first, count);
    }
    float loudest = 0;
    for (float s : out)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : out)
            s *= recipe.peak / loudest;
    return out;
}

bool writeWav(const std::string& path, const std::vector<float>& samples)
{
    std::vector<short> pcm;
    pcm.reserve(samples.size());
    for (float s : samples)
        pcm.push_back(static_cast<short>(std::lround(std::max(-1.0f, std::min(1.0f, s)) * 32767.0f)));
    SF_INFO info{};
    info.samplerate = effectRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        reportWriteFailure(path, sf_strerror(nullptr));
        return false;
    }
    sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    bool ok = written == static_cast<sf_count_t>(pcm.size());
    if (!ok)
        reportWriteFailure(path, sf_strerror(file));
    if (sf_close(file) != 0 && ok) {
        reportWriteFailure(path, "cannot finish the file");
        ok = false;
    }
    return ok;
}

bool writeEffects(const std::string& datDir)
{
    for (int i = 0; i < effectRecipeCount; ++i)
        if (!writeWav(datDir + "/" + effectRecipes[i].fileName, renderEffect(effectRecipes[i])))
            return false;
    return true;
}
