// The icon and the two cursors: 32 x 32 palette pictures with a transparency
// mask, drawn as text grids, and their ICO and CUR file encoding.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <string>
#include <vector>

struct IconPicture {
    const char* label;
    int bitsPerPixel;              // 8 (256 colours) or 4 (16 colours)
    int hotX, hotY;                // the cursor's hot spot; -1 for an icon
    std::vector<Color> palette;    // 1 << bitsPerPixel entries; entry 0 is black
    std::vector<uint8_t> indices;  // 32 x 32 palette indices, top row first
    std::vector<uint8_t> opaque;   // 32 x 32, 1 where the picture covers what is behind
};

static const int iconSide = 32;

IconPicture makeAppIcon();      // icon 101: the White Arrow
IconPicture makeHoverCursor();  // cursor 112: a white hand with a dark cuff
IconPicture makeAimCursor();    // cursor 113: the White Arrow, its tip on the hot spot
// Not the game's: the icon of the program the end-to-end tests shoot at.
IconPicture makeTargetIcon();

struct IconAsset {
    const char* fileName;  // inside the resource folder
    IconPicture (*make)();
};
extern const IconAsset iconPictures[];
extern const int iconPictureCount;

// The picture over `background` (32 x 32), as the system would draw it.
Canvas composeIcon(const IconPicture& icon, const Canvas& background);

// The whole .ico file (hotX < 0) or .cur file (type 2, with the hot spot).
std::vector<uint8_t> encodeIconFile(const IconPicture& icon);
