// The White Arrow icon, the hand and the aiming cursors as pixel-art grids.
#include "cursors.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The White Arrow: a triangular head on a rectangular shaft, outlined in
// black, pointing straight up; symmetric about column 16.
static const char* const arrowGrid[iconSide] = {
    "................................",
    "...............KKK..............",
    "..............KKWKK.............",
    ".............KKWWGKK............",
    "............KKWWWGGKK...........",
    "...........KKWWWWWGGKK..........",
    "..........KKWWWWWWWGGKK.........",
    ".........KKWWWWWWWWWGGKK........",
    "........KKWWWWWWWWWWWGGKK.......",
    ".......KKWWWWWWWWWWWWWGGKK......",
    "......KKWWWWWWWWWWWWWWWGGKK.....",
    ".....KKWWWWWWWWWWWWWWWWWGGKK....",
    "....KKWWWWWWWWWWWWWWWWWWWGGKK...",
    "...KKWWWWWWWWWWWWWWWWWWWWWGGKK..",
    "...KWWWWWWWWWWWWWWWWWWWWWWWGGK..",
    "...KKKKKKKKKWWWWWWWGGKKKKKKKKK..",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KWWWWWWWGGK..........",
    "...........KGGGGGGGGGK..........",
    "...........KKKKKKKKKKK..........",
    "................................",
};

// The aiming cursor: the same arrow, smaller, its tip on the hot spot
// (16, 14), so that the shot hits the window under the tip.
static const char* const aimGrid[iconSide] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "...............KKK..............",
    "..............KKWKK.............",
    ".............KKWWGKK............",
    "............KKWWWGGKK...........",
    "...........KKWWWWWGGKK..........",
    "..........KKWWWWWWWGGKK.........",
    ".........KKWWWWWWWWWGGKK........",
    "........KKWWWWWWWWWWWGGKK.......",
    ".......KKWWWWWWWWWWWWWGGKK......",
    "......KKWWWWWWWWWWWWWWWGGKK.....",
    "......KWWWWWWWWWWWWWWWWWGGK.....",
    "......KKKKKKKWWWWWGGKKKKKKK.....",
    "............KWWWWWGGK...........",
    "............KWWWWWGGK...........",
    "............KWWWWWGGK...........",
    "............KWWWWWGGK...........",
    "............KWWWWWGGK...........",
    "............KGGGGGGGK...........",
    "............KKKKKKKKK...........",
};

// An open white hand over a dark cuff; the hot spot lies in the palm.
static const char* const handGrid[iconSide] = {
    "................................",
    "................................",
    "..............KKK...............",
    ".............KWWWKKKK...........",
    "..........KKKKWWGKWWWK..........",
    ".........KWWWKWWGKWWGK..........",
    ".........KWWGKWWGKWWGKKK........",
    ".........KWWGKWWGKWWGKWWK.......",
    ".........KWWGKWWGKWWGKWGK.......",
    ".........KWWGKWWGKWWGKWGK.......",
    ".........KWWGKWWGKWWGKWGK.......",
    ".........KWWGKWWGKWWGKWGK.......",
    ".........KWWGKWWGKWWGKWGK.......",
    "......KK.KWWGKWWGKWWGKWGK.......",
    ".....KWWKKWWWGWWWGWWWGWGK.......",
    ".....KWWWKWWWWWWWWWWWWWGK.......",
    ".....KWWWWWWWWWWWWWWWWWGK.......",
    "......KWWWGWWWWWWWWWWWWGK.......",
    "......KWWWGWWWWWWWWWWWWGK.......",
    ".......KWWGWWWWWWWWWWWWGK.......",
    ".......KWWGWWWWWWWWWWWWGK.......",
    "........KWWWWWWWWWWWWWWGK.......",
    ".........KWWWWWWWWWWWWWGK.......",
    ".........KWWWWWWWWWWWWWGK.......",
    ".........KWWWWWWWWWWWWWGK.......",
    ".........KKWWWWWWWWWWWGKK.......",
    "........KBBBBBBBBBBBBBBBBK......",
    "........KDDDDDDDDDDDDDDDDK......",
    "........KDDDDDDDDDDDDDDDDK......",
    "........KDDDDDDDDDDDDDDDDK......",
    "........KDDDDDDDDDDDDDDDDK......",
    ".........KKKKKKKKKKKKKKKK.......",
};

// The test programs' icon: a red and white archery target with a gold
// centre, nothing like the game's own White Arrow.
static const char* const targetGrid[iconSide] = {
    "................................",
    "...........KKKKKKKKKK...........",
    ".........KKKRRRRRRRRKKK.........",
    ".......KKKRRRRRRRRRRRRKKK.......",
    "......KKRRRRRRRRRRRRRRRRKK......",
    ".....KKRRRRRRWWWWWWRRRRRRKK.....",
    "....KKRRRRWWWWWWWWWWWWRRRRKK....",
    "...KKRRRRWWWWWWWWWWWWWWRRRRKK...",
    "...KRRRRWWWWWRRRRRRWWWWWRRRRK...",
    "..KKRRRWWWWRRRRRRRRRRWWWWRRRKK..",
    "..KRRRWWWWRRRRRRRRRRRRWWWWRRRK..",
    ".KKRRRWWWRRRRRWWWWRRRRRWWWRRRKK.",
    ".KRRRRWWWRRRWWWWWWWWRRRWWWRRRRK.",
    ".KRRRWWWRRRRWWWWWWWWRRRRWWWRRRK.",
    ".KRRRWWWRRRWWWYYYYWWWRRRWWWRRRK.",
    ".KRRRWWWRRRWWWYYYYWWWRRRWWWRRRK.",
    ".KRRRWWWRRRWWWYYYYWWWRRRWWWRRRK.",
    ".KRRRWWWRRRWWWYYYYWWWRRRWWWRRRK.",
    ".KRRRWWWRRRRWWWWWWWWRRRRWWWRRRK.",
    ".KRRRRWWWRRRWWWWWWWWRRRWWWRRRRK.",
    ".KKRRRWWWRRRRRWWWWRRRRRWWWRRRKK.",
    "..KRRRWWWWRRRRRRRRRRRRWWWWRRRK..",
    "..KKRRRWWWWRRRRRRRRRRWWWWRRRKK..",
    "...KRRRRWWWWWRRRRRRWWWWWRRRRK...",
    "...KKRRRRWWWWWWWWWWWWWWRRRRKK...",
    "....KKRRRRWWWWWWWWWWWWRRRRKK....",
    ".....KKRRRRRRWWWWWWRRRRRRKK.....",
    "......KKRRRRRRRRRRRRRRRRKK......",
    ".......KKKRRRRRRRRRRRRKKK.......",
    ".........KKKRRRRRRRRKKK.........",
    "...........KKKKKKKKKK...........",
    "................................",
};

static const PaletteEntry targetPalette[] = {
    {'K', {0.0f, 0.0f, 0.0f}},     // outline
    {'R', {0.80f, 0.10f, 0.14f}},  // the red rings
    {'W', {1.0f, 1.0f, 1.0f}},     // the white rings
    {'Y', {0.96f, 0.78f, 0.10f}},  // the gold centre
};

static const PaletteEntry arrowPalette[] = {
    {'K', {0.0f, 0.0f, 0.0f}},     // outline
    {'W', {1.0f, 1.0f, 1.0f}},     // the arrow
    {'G', {0.75f, 0.78f, 0.84f}},  // its shaded side
};

static const PaletteEntry handPalette[] = {
    {'K', {0.0f, 0.0f, 0.0f}},     // outline
    {'W', {1.0f, 1.0f, 1.0f}},     // the hand
    {'G', {0.72f, 0.74f, 0.80f}},  // shading between the fingers
    {'D', {0.14f, 0.16f, 0.40f}},  // the cuff
    {'B', {0.36f, 0.40f, 0.70f}},  // the cuff's lit edge
};

static IconPicture fromGrid(const char* label, int bitsPerPixel, int hotX, int hotY,
                            const char* const* grid, const PaletteEntry* palette, int paletteSize)
{
    IconPicture icon{label, bitsPerPixel, hotX, hotY, {}, {}, {}};
    icon.palette.assign(static_cast<size_t>(1) << bitsPerPixel, Color{0, 0, 0});
    for (int i = 0; i < paletteSize; ++i)
        icon.palette[static_cast<size_t>(i) + 1] = palette[i].color;
    for (int y = 0; y < iconSide; ++y) {
        if (std::strlen(grid[y]) != iconSide) {
            std::fprintf(stderr, "tavrenne-assets: %s row %d is not %d wide\n", label, y, iconSide);
            std::abort();
        }
        for (int x = 0; x < iconSide; ++x) {
            char key = grid[y][x];
            int index = 0;
            for (int i = 0; i < paletteSize; ++i)
                if (palette[i].key == key)
                    index = i + 1;
            if (index == 0 && key != '.') {
                std::fprintf(stderr, "tavrenne-assets: %s uses '%c', not in its palette\n", label, key);
                std::abort();
            }
            icon.indices.push_back(static_cast<uint8_t>(index));
            icon.opaque.push_back(index != 0);
        }
    }
    return icon;
}

IconPicture makeAppIcon()
{
    return fromGrid("icon 101", 8, -1, -1, arrowGrid, arrowPalette, 3);
}

IconPicture makeHoverCursor()
{
    return fromGrid("cursor 112", 4, 16, 14, handGrid, handPalette, 5);
}

IconPicture makeAimCursor()
{
    return fromGrid("cursor 113", 4, 16, 14, aimGrid, arrowPalette, 3);
}

IconPicture makeTargetIcon()
{
    return fromGrid("target icon", 8, -1, -1, targetGrid, targetPalette, 4);
}

const IconAsset iconPictures[] = {
    {"tavrenne.ico", makeAppIcon},
    {"hand.cur", makeHoverCursor},
    {"aim.cur", makeAimCursor},
};
const int iconPictureCount = sizeof iconPictures / sizeof iconPictures[0];

Canvas composeIcon(const IconPicture& icon, const Canvas& background)
{
    Canvas shown = background;
    for (int y = 0; y < iconSide; ++y)
        for (int x = 0; x < iconSide; ++x) {
            size_t i = static_cast<size_t>(y * iconSide + x);
            if (icon.opaque[i])
                setPixel(shown, x, y, icon.palette[icon.indices[i]]);
        }
    return shown;
}
