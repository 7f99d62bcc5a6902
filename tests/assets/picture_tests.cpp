// The pictures' building blocks: pixel-art grids, palette reduction, the
// icon and cursor shapes, and their ICO and CUR encoding read back.
#include "canvas.h"
#include "cursors.h"
#include "noise.h"
#include "pictures.h"
#include "quantize.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

float luma(Color c)
{
    return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

// The palette index and mask bit of pixel (x, y), decoded from an ICO/CUR
// file's bottom-up bitmaps as the system reads them.
std::pair<int, bool> decodePixel(const std::vector<uint8_t>& file, int x, int y)
{
    size_t image = le(file, 18, 4);
    int bits = static_cast<int>(le(file, image + 14, 2));
    size_t colours = image + 40 + (static_cast<size_t>(1) << bits) * 4;
    int row = iconSide - 1 - y;
    size_t rowBytes = static_cast<size_t>(iconSide * bits / 8);
    uint8_t byte = file[colours + static_cast<size_t>(row) * rowBytes + static_cast<size_t>(x * bits / 8)];
    int index = bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
    size_t mask = colours + rowBytes * iconSide;
    bool transparent = file[mask + static_cast<size_t>(row * 4 + x / 8)] & (0x80 >> (x % 8));
    return {index, transparent};
}

}  // namespace

TEST(Grid, PaintsKnownKeysSkipsBlanksAndRefusesUnknownOnes)
{
    static const PaletteEntry palette[] = {{'R', {1, 0, 0}}, {'B', {0, 0, 1}}};
    static const char* const rows[] = {"R.B", " R", "RR"};
    Canvas c = makeCanvas(3, 3, Color{0, 1, 0});
    ASSERT_TRUE(drawGrid(c, 1, 0, rows, 3, palette, 2));
    EXPECT_EQ(pixelAt(c, 1, 0).r, 1);
    EXPECT_EQ(pixelAt(c, 2, 0).g, 1) << "'.' leaves the canvas as it was";
    EXPECT_EQ(pixelAt(c, 1, 1).g, 1) << "' ' leaves the canvas as it was";
    EXPECT_EQ(pixelAt(c, 2, 1).r, 1);
    EXPECT_EQ(pixelAt(c, 0, 2).g, 1) << "the grid starts at column 1";
    static const char* const wrong[] = {"RX"};
    EXPECT_FALSE(drawGrid(c, 0, 0, wrong, 1, palette, 2));
}

TEST(Palette, KeepsFewColoursExactlyAndMapsToTheNearest)
{
    Canvas c = makeCanvas(4, 4, rgb(10, 20, 30));
    fillRect(c, 0, 0, 2, 2, rgb(200, 0, 0));
    setPixel(c, 3, 3, rgb(0, 0, 255));
    std::vector<Color> palette = choosePalette(c, 8);
    ASSERT_EQ(palette.size(), 3u) << "no more colours than the picture has";
    Canvas copy = c;
    mapToPalette(copy, palette);
    EXPECT_EQ(toBytes(copy), toBytes(c));

    // Two shades of grey asked to become one: both go to their blend.
    Canvas greys = makeCanvas(2, 1, rgb(100, 100, 100));
    setPixel(greys, 1, 0, rgb(110, 110, 110));
    reduceColors(greys, 1);
    EXPECT_EQ(toBytes(greys), (std::vector<uint8_t>{105, 105, 105, 105, 105, 105}));
}

TEST(Noise, StaysInRangeAndRepeatsForTheSameSeed)
{
    Xorshift zero = makeXorshift(0);
    EXPECT_NE(nextBits(zero), 0u) << "a zero seed must not stick at zero";
    Xorshift a = makeXorshift(7), b = makeXorshift(7);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(nextBits(a), nextBits(b));
        int below = nextBelow(a, 5);
        nextBelow(b, 5);
        EXPECT_TRUE(below >= 0 && below < 5);
    }
    for (float x = -40.5f; x < 40; x += 3.7f) {
        float n = fractalNoise(x, x * 0.7f, 3u, 5, 0.5f);
        EXPECT_GE(n, 0.0f);
        EXPECT_LE(n, 1.0f);
        EXPECT_EQ(n, fractalNoise(x, x * 0.7f, 3u, 5, 0.5f));
    }
}

TEST(Pictures, HaveTheGameFileNamesAndSizes)
{
    const std::tuple<const char*, int> expected[] = {{"bg_green.dat", 128}, {"bg_red.dat", 128},
                                                     {"bg_gray.dat", 128},  {"bg_boss.dat", 128},
                                                     {"bg_last.dat", 128},  {"enemy01.dat", 48}};
    ASSERT_EQ(pictureAssetCount, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(pictureAssets[i].fileName, std::get<0>(expected[i]));
        Canvas c = pictureAssets[i].paint();
        EXPECT_EQ(c.width, std::get<1>(expected[i]));
        EXPECT_EQ(c.height, std::get<1>(expected[i]));
    }
}

// The sprite is blended whole at half opacity: its square must read as a
// frame (a bright rim, a dark inside) and the creature must stand out.
TEST(Pictures, TheSpriteHasAFramedSquareAndABrightCreature)
{
    Canvas s = paintEnemy();
    EXPECT_GT(luma(pixelAt(s, 0, 20)), 0.4f);
    EXPECT_GT(luma(pixelAt(s, 47, 47)), 0.4f);
    EXPECT_LT(luma(pixelAt(s, 3, 3)), 0.1f);
    EXPECT_GT(luma(pixelAt(s, 21, 18)), 0.7f) << "the eye";
    EXPECT_LT(luma(pixelAt(s, 23, 18)), 0.1f) << "its pupil";
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(toBytes(makeCanvas(1, 1, pixelAt(s, x, y))), toBytes(makeCanvas(1, 1, pixelAt(s, 47 - x, y))))
                << "the creature is mirrored about its centre at (" << x << ", " << y << ")";
}

TEST(Icons, TheArrowsAreSymmetricOutlinedAndTheHotSpotsLieOnThePictures)
{
    for (IconPicture icon : {makeAppIcon(), makeAimCursor()}) {
        SCOPED_TRACE(icon.label);
        for (int y = 0; y < iconSide; ++y)
            for (int x = 1; x < iconSide; ++x)
                EXPECT_EQ(icon.opaque[static_cast<size_t>(y * iconSide + x)],
                          icon.opaque[static_cast<size_t>(y * iconSide + 32 - x)])
                    << "the outline is symmetric about column 16 at (" << x << ", " << y << ")";
        // Every opaque pixel beside a transparent one is black outline.
        for (int y = 1; y < iconSide - 1; ++y)
            for (int x = 1; x < iconSide - 1; ++x) {
                size_t i = static_cast<size_t>(y * iconSide + x);
                bool edge = icon.opaque[i] && (!icon.opaque[i - 1] || !icon.opaque[i + 1] ||
                                               !icon.opaque[i - iconSide] || !icon.opaque[i + iconSide]);
                if (edge) {
                    EXPECT_EQ(luma(icon.palette[icon.indices[i]]), 0.0f) << "(" << x << ", " << y << ")";
                }
            }
        EXPECT_EQ(luma(icon.palette[icon.indices[static_cast<size_t>(14 * iconSide + 16)]]), 1.0f);
    }
    // The aiming arrow's tip is the hot spot: outline just above, nothing higher.
    IconPicture aim = makeAimCursor();
    EXPECT_TRUE(aim.opaque[static_cast<size_t>(13 * iconSide + 16)]);
    EXPECT_EQ(luma(aim.palette[aim.indices[static_cast<size_t>(13 * iconSide + 16)]]), 0.0f);
    for (size_t i = 0; i < static_cast<size_t>(13 * iconSide); ++i)
        ASSERT_FALSE(aim.opaque[i]) << "pixel " << i % iconSide << ", " << i / iconSide << " lies above the tip";
    IconPicture hand = makeHoverCursor();
    EXPECT_EQ(luma(hand.palette[hand.indices[static_cast<size_t>(14 * iconSide + 16)]]), 1.0f) << "the palm";
    Color cuff = hand.palette[hand.indices[static_cast<size_t>(28 * iconSide + 16)]];
    EXPECT_LT(luma(cuff), 0.3f);
    EXPECT_GT(cuff.b, cuff.r);
}

TEST(IconFiles, EncodeHeaderPaletteBitmapsAndMaskAsTheSystemReadsThem)
{
    struct Case {
        IconPicture icon;
        int type, bits, colourCount, planesOrHotX, bitsOrHotY;
    } cases[] = {{makeAppIcon(), 1, 8, 0, 1, 8},
                 {makeHoverCursor(), 2, 4, 16, 16, 14},
                 {makeAimCursor(), 2, 4, 16, 16, 14}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icon.label);
        std::vector<uint8_t> f = encodeIconFile(c.icon);
        size_t palette = static_cast<size_t>(1) << c.bits;
        size_t expectedSize = 6 + 16 + 40 + palette * 4 + 32 * 32 * static_cast<size_t>(c.bits) / 8 + 32 * 4;
        ASSERT_EQ(f.size(), expectedSize);
        EXPECT_EQ(le(f, 0, 2), 0u);
        EXPECT_EQ(le(f, 2, 2), static_cast<uint32_t>(c.type));
        EXPECT_EQ(le(f, 4, 2), 1u);
        EXPECT_EQ(f[6], 32);
        EXPECT_EQ(f[7], 32);
        EXPECT_EQ(f[8], c.colourCount);
        EXPECT_EQ(le(f, 10, 2), static_cast<uint32_t>(c.planesOrHotX));
        EXPECT_EQ(le(f, 12, 2), static_cast<uint32_t>(c.bitsOrHotY));
        EXPECT_EQ(le(f, 14, 4), expectedSize - 22);
        EXPECT_EQ(le(f, 18, 4), 22u);
        EXPECT_EQ(le(f, 22, 4), 40u);
        EXPECT_EQ(le(f, 30, 4), 64u) << "the height counts the colour bitmap and the mask";
        EXPECT_EQ(le(f, 36, 2), static_cast<uint32_t>(c.bits));
        for (int y = 0; y < iconSide; ++y)
            for (int x = 0; x < iconSide; ++x) {
                size_t i = static_cast<size_t>(y * iconSide + x);
                auto pixel = decodePixel(f, x, y);
                ASSERT_EQ(pixel.first, c.icon.indices[i]) << "(" << x << ", " << y << ")";
                ASSERT_EQ(pixel.second, !c.icon.opaque[i]) << "(" << x << ", " << y << ")";
                if (pixel.second) {
                    ASSERT_EQ(pixel.first, 0) << "transparent pixels are black in the colour bitmap";
                }
            }
        // White is in the palette as blue, green, red, 0.
        std::set<uint32_t> entries;
        for (size_t p = 0; p < palette; ++p)
            entries.insert(le(f, 62 + p * 4, 4));
        EXPECT_TRUE(entries.count(0x00FFFFFFu));
    }
}
