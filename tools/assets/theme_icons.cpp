// The program's icon for a Linux desktop's icon theme: the White Arrow of
// icon 101 as RGBA PNG files at the theme's usual sizes, each pixel of the
// 32 x 32 picture scaled up or down by nearest neighbour so that the pixel
// art stays sharp.
#include <stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "assets.h"
#include "canvas.h"
#include "cursors.h"

const int themeIconSizes[themeIconSizeCount] = {16, 24, 32, 48, 64, 128, 256};

std::vector<uint8_t> themeIconPixels(int size)
{
    IconPicture icon = makeAppIcon();
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            size_t from = static_cast<size_t>(y * iconSide / size) * iconSide + x * iconSide / size;
            uint8_t* to = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            const Color& c = icon.palette[icon.indices[from]];
            to[0] = static_cast<uint8_t>(std::lround(clampUnit(c.r) * 255.0f));
            to[1] = static_cast<uint8_t>(std::lround(clampUnit(c.g) * 255.0f));
            to[2] = static_cast<uint8_t>(std::lround(clampUnit(c.b) * 255.0f));
            to[3] = icon.opaque[from] ? 255 : 0;
        }
    }
    return rgba;
}

bool writeThemeIcons(const std::string& themeDir)
{
    for (int size : themeIconSizes) {
        std::string dir = themeDir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error) {
            reportWriteFailure(dir, error.message().c_str());
            return false;
        }
        std::string path = dir + "/tavrenne.png";
        std::vector<uint8_t> rgba = themeIconPixels(size);
        if (!stbi_write_png(path.c_str(), size, size, 4, rgba.data(), size * 4)) {
            reportWriteFailure(path, "the PNG encoder failed");
            return false;
        }
    }
    return true;
}
