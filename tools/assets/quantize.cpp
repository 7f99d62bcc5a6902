// Median-cut palette reduction for the painted pictures.
#include "quantize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// One 8-bit colour and how many pixels have it.
struct Sample {
    int channel[3];
    int count;
};

// A box of samples in colour space: [begin, end) of the sample list.
struct Box {
    size_t begin;
    size_t end;
};

}  // namespace

static int toLevel(float v)
{
    return static_cast<int>(std::lround(clampUnit(v) * 255.0f));
}

static std::vector<Sample> collectSamples(const Canvas& canvas)
{
    std::vector<uint32_t> keys;
    keys.reserve(canvas.pixels.size());
    for (const Color& c : canvas.pixels)
        keys.push_back(static_cast<uint32_t>(toLevel(c.r) << 16 | toLevel(c.g) << 8 | toLevel(c.b)));
    std::sort(keys.begin(), keys.end());
    std::vector<Sample> samples;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (!samples.empty() && i > 0 && keys[i] == keys[i - 1]) {
            samples.back().count++;
            continue;
        }
        int r = static_cast<int>(keys[i] >> 16), g = static_cast<int>(keys[i] >> 8 & 0xFF);
        samples.push_back(Sample{{r, g, static_cast<int>(keys[i] & 0xFF)}, 1});
    }
    return samples;
}

// The channel with the widest spread in the box, and that spread weighted
// by the number of pixels (so that big regions get more colours).
static int widestChannel(const std::vector<Sample>& samples, const Box& box, double* score)
{
    int best = 0, bestRange = -1;
    long pixels = 0;
    for (int ch = 0; ch < 3; ++ch) {
        int low = 255, high = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            low = std::min(low, samples[i].channel[ch]);
            high = std::max(high, samples[i].channel[ch]);
        }
        if (high - low > bestRange) {
            bestRange = high - low;
            best = ch;
        }
    }
    for (size_t i = box.begin; i < box.end; ++i)
        pixels += samples[i].count;
    *score = bestRange * std::sqrt(static_cast<double>(pixels));
    return best;
}

static void splitBox(std::vector<Sample>& samples, std::vector<Box>& boxes, size_t which, int ch)
{
    Box box = boxes[which];
    std::stable_sort(samples.begin() + static_cast<long>(box.begin), samples.begin() + static_cast<long>(box.end),
                     [ch](const Sample& a, const Sample& b) { return a.channel[ch] < b.channel[ch]; });
    long total = 0, half = 0;
    for (size_t i = box.begin; i < box.end; ++i)
        total += samples[i].count;
    size_t cut = box.begin + 1;
    for (size_t i = box.begin; i + 1 < box.end; ++i) {
        half += samples[i].count;
        cut = i + 1;
        if (half * 2 >= total)
            break;
    }
    boxes[which] = Box{box.begin, cut};
    boxes.push_back(Box{cut, box.end});
}

std::vector<Color> choosePalette(const Canvas& canvas, int count)
{
    std::vector<Sample> samples = collectSamples(canvas);
    std::vector<Box> boxes{Box{0, samples.size()}};
    while (static_cast<int>(boxes.size()) < count) {
        size_t pick = boxes.size();
        double bestScore = 0;
        int pickChannel = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            double score = 0;
            int ch = widestChannel(samples, boxes[b], &score);
            if (score > bestScore) {
                bestScore = score;
                pick = b;
                pickChannel = ch;
            }
        }
        if (pick == boxes.size())
            break;  // every box holds one colour: the canvas has fewer colours than asked
        splitBox(samples, boxes, pick, pickChannel);
    }
    std::vector<Color> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0};
        long pixels = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += static_cast<double>(samples[i].channel[ch]) * samples[i].count;
            pixels += samples[i].count;
        }
        palette.push_back(Color{static_cast<float>(sum[0] / pixels / 255.0), static_cast<float>(sum[1] / pixels / 255.0),
                                static_cast<float>(sum[2] / pixels / 255.0)});
    }
    return palette;
}

void mapToPalette(Canvas& canvas, const std::vector<Color>& palette)
{
    for (Color& c : canvas.pixels) {
        float best = 1e9f;
        Color nearest = c;
        for (const Color& p : palette) {
            // Weighted towards green, to which the eye is most sensitive.
            float dr = c.r - p.r, dg = c.g - p.g, db = c.b - p.b;
            float d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < best) {
                best = d;
                nearest = p;
            }
        }
        c = nearest;
    }
}

void reduceColors(Canvas& canvas, int count)
{
    mapToPalette(canvas, choosePalette(canvas, count));
}
