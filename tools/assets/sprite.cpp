// The enemy sprite, 48 x 48: a one-eyed star jelly drawn as a pixel-art grid
// (its left half, mirrored) inside a dark portal square. The game blends the
// whole square at half opacity, so the square is part of the design: a dark
// window onto the creature, framed so that its edge reads as deliberate.
#include "pictures.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int side = 48;

// Columns 0..23 of the creature; columns 24..47 mirror them.
static const char* const creatureHalf[side] = {
    "........................",
    "........................",
    "........................",
    "........................",
    "........................",
    "..................KKKKKK",
    "...............KKKPPPPPP",
    ".............KKPPPPPPPPP",
    "............KPPPPWWPPPPP",
    "...........KMPPPWWWPPPPP",
    "..........KMMPPPPWPPPPPP",
    ".........KMMMPPPPPPPPPPP",
    "........KMMMMMPPPPPPKKKK",
    "........KMMMMMMMPPKKOOOO",
    ".......KmMMMMMMMMKOOYYYY",
    ".......KmMMMSMMMKOYYYYYE",
    "......KmmMMSSSMMKOYYWYYE",
    "......KmmMMMSMMKOYYWWYYE",
    "......KmmMMMMMMKOYYYYYYE",
    "......KmmMMMMMMKOYYYYYYE",
    "......KmmmMMMMMKOOYYYYYE",
    "......KmmmMMMMMMKOOYYYYE",
    "......KmmmMMSMMMKOOOOOOO",
    "......KmmmmMMMMMMKKOOOOO",
    ".......KmmmMMMMMMMMKKKKK",
    ".......KmmmmMMMMMMMMMMMM",
    "........KmmmmmMMMMMMMMMM",
    "........KKmmKKmmmKKmmmKK",
    "..........cC..cC....cC..",
    "..........cC..cC....cC..",
    ".........cC...cC.....cC.",
    ".........cC..cC......cC.",
    "........cC...cC......cC.",
    "........cC...cC.....cC..",
    "........cC....cC....cC..",
    "........cC....cC....cC..",
    ".........cC....cC....cC.",
    ".........cC....cC....cC.",
    "..........cC...cC....cC.",
    "..........cC..cC....cC..",
    "..........cC..cC....cC..",
    ".........cC..cC.....cC..",
    "........cC...cC......cC.",
    "........SS...cC......cC.",
    ".............cC......cC.",
    ".............SS......cC.",
    ".....................SS.",
    "........................",
};

static const PaletteEntry creaturePalette[] = {
    {'K', {0.08f, 0.02f, 0.12f}},   // outline
    {'m', {0.50f, 0.12f, 0.47f}},   // bell in shadow
    {'M', {0.80f, 0.24f, 0.68f}},   // bell
    {'P', {1.00f, 0.58f, 0.86f}},   // bell in light
    {'W', {1.00f, 0.94f, 0.98f}},   // glint
    {'S', {1.00f, 0.80f, 0.95f}},   // glowing spots and tentacle tips
    {'O', {0.94f, 0.50f, 0.12f}},   // eye rim
    {'Y', {1.00f, 0.88f, 0.24f}},   // eye
    {'E', {0.04f, 0.00f, 0.08f}},   // pupil
    {'c', {0.12f, 0.45f, 0.60f}},   // tentacle in shadow
    {'C', {0.35f, 0.88f, 0.92f}},   // tentacle
};
static const int creaturePaletteSize = sizeof creaturePalette / sizeof creaturePalette[0];

static void paintPortal(Canvas& c)
{
    // Deep violet, a little lighter behind the creature, with a bright rim.
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            float dx = (static_cast<float>(x) - 23.5f) / 24.0f;
            float dy = (static_cast<float>(y) - 20.0f) / 24.0f;
            float glow = std::exp(-(dx * dx + dy * dy) * 3.0f);
            setPixel(c, x, y, mix(rgb(10, 4, 24), rgb(60, 26, 96), glow));
        }
    }
    for (int i = 0; i < side; ++i) {
        Color rim = rgb(150, 110, 220);
        setPixel(c, i, 0, rim);
        setPixel(c, i, side - 1, rim);
        setPixel(c, 0, i, rim);
        setPixel(c, side - 1, i, rim);
    }
}

Canvas paintEnemy()
{
    Canvas c = makeCanvas(side, side, Color{0, 0, 0});
    paintPortal(c);
    char rows[side][side + 1];
    const char* rowPointers[side];
    for (int y = 0; y < side; ++y) {
        if (std::strlen(creatureHalf[y]) != side / 2) {
            std::fprintf(stderr, "tavrenne-assets: sprite row %d is not %d wide\n", y, side / 2);
            std::abort();
        }
        for (int x = 0; x < side / 2; ++x) {
            rows[y][x] = creatureHalf[y][x];
            rows[y][side - 1 - x] = creatureHalf[y][x];
        }
        rows[y][side] = '\0';
        rowPointers[y] = rows[y];
    }
    if (!drawGrid(c, 0, 0, rowPointers, side, creaturePalette, creaturePaletteSize)) {
        std::fprintf(stderr, "tavrenne-assets: the sprite grid uses a colour not in its palette\n");
        std::abort();
    }
    return c;
}
