// The ICO and CUR file formats, written by hand: one 32 x 32 image with a
// palette, its colour bitmap and its transparency mask, bottom row first.
#include "cursors.h"

#include <cmath>

static void putU8(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFFu));
}

static void putU16(std::vector<uint8_t>& out, unsigned value)
{
    putU8(out, value);
    putU8(out, value >> 8);
}

static void putU32(std::vector<uint8_t>& out, unsigned value)
{
    putU16(out, value & 0xFFFFu);
    putU16(out, value >> 16);
}

static unsigned channel(float v)
{
    return static_cast<unsigned>(std::lround(clampUnit(v) * 255.0f));
}

// The colour bitmap: 4 or 8 bits a pixel, rows padded to 4 bytes.
static std::vector<uint8_t> colourRows(const IconPicture& icon)
{
    std::vector<uint8_t> rows;
    for (int y = iconSide - 1; y >= 0; --y) {
        const uint8_t* row = &icon.indices[static_cast<size_t>(y * iconSide)];
        for (int x = 0; x < iconSide; x += (icon.bitsPerPixel == 8 ? 1 : 2)) {
            if (icon.bitsPerPixel == 8)
                putU8(rows, row[x]);
            else
                putU8(rows, (row[x] & 0x0Fu) << 4 | (row[x + 1] & 0x0Fu));
        }
    }
    return rows;
}

// The mask: 1 bit a pixel, set where the picture is transparent.
static std::vector<uint8_t> maskRows(const IconPicture& icon)
{
    std::vector<uint8_t> rows;
    for (int y = iconSide - 1; y >= 0; --y) {
        for (int byte = 0; byte < iconSide / 8; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!icon.opaque[static_cast<size_t>(y * iconSide + byte * 8 + bit)])
                    bits |= 0x80u >> bit;
            putU8(rows, bits);
        }
    }
    return rows;
}

std::vector<uint8_t> encodeIconFile(const IconPicture& icon)
{
    bool cursor = icon.hotX >= 0;
    std::vector<uint8_t> colours = colourRows(icon);
    std::vector<uint8_t> mask = maskRows(icon);
    unsigned paletteBytes = static_cast<unsigned>(icon.palette.size()) * 4;
    unsigned imageBytes = 40 + paletteBytes + static_cast<unsigned>(colours.size() + mask.size());

    std::vector<uint8_t> out;
    putU16(out, 0);               // reserved
    putU16(out, cursor ? 2 : 1);  // resource type
    putU16(out, 1);               // one image
    putU8(out, iconSide);         // width
    putU8(out, iconSide);         // height
    putU8(out, icon.palette.size() >= 256 ? 0 : static_cast<unsigned>(icon.palette.size()));
    putU8(out, 0);
    putU16(out, cursor ? static_cast<unsigned>(icon.hotX) : 1);  // planes, or hot spot x
    putU16(out, cursor ? static_cast<unsigned>(icon.hotY)         // bit count, or hot spot y
                       : static_cast<unsigned>(icon.bitsPerPixel));
    putU32(out, imageBytes);
    putU32(out, 6 + 16);  // the image follows the one directory entry

    putU32(out, 40);            // BITMAPINFOHEADER size
    putU32(out, iconSide);      // width
    putU32(out, iconSide * 2);  // height of colour bitmap and mask together
    putU16(out, 1);             // planes
    putU16(out, static_cast<unsigned>(icon.bitsPerPixel));
    putU32(out, 0);  // no compression
    putU32(out, static_cast<unsigned>(colours.size() + mask.size()));
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);  // every palette entry is used
    putU32(out, 0);
    for (const Color& c : icon.palette) {
        putU8(out, channel(c.b));
        putU8(out, channel(c.g));
        putU8(out, channel(c.r));
        putU8(out, 0);
    }
    out.insert(out.end(), colours.begin(), colours.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}
