// Pixels, pixel-art grids and the BMP/PNG writers (stb_image_write).
#include "canvas.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

Color rgb(int r, int g, int b)
{
    return Color{r / 255.0f, g / 255.0f, b / 255.0f};
}

Color mix(Color a, Color b, float t)
{
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scaled(Color c, float factor)
{
    return Color{c.r * factor, c.g * factor, c.b * factor};
}

Color added(Color a, Color b)
{
    return Color{a.r + b.r, a.g + b.g, a.b + b.b};
}

float clampUnit(float v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

Canvas makeCanvas(int width, int height, Color fill)
{
    Canvas canvas{width, height, {}};
    canvas.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return canvas;
}

bool inside(const Canvas& canvas, int x, int y)
{
    return x >= 0 && y >= 0 && x < canvas.width && y < canvas.height;
}

static size_t indexOf(const Canvas& canvas, int x, int y)
{
    return static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x);
}

Color pixelAt(const Canvas& canvas, int x, int y)
{
    return inside(canvas, x, y) ? canvas.pixels[indexOf(canvas, x, y)] : Color{0, 0, 0};
}

void setPixel(Canvas& canvas, int x, int y, Color c)
{
    if (inside(canvas, x, y))
        canvas.pixels[indexOf(canvas, x, y)] = c;
}

void blendPixel(Canvas& canvas, int x, int y, Color c, float alpha)
{
    if (inside(canvas, x, y)) {
        Color& p = canvas.pixels[indexOf(canvas, x, y)];
        p = mix(p, c, alpha);
    }
}

void addPixel(Canvas& canvas, int x, int y, Color light)
{
    if (inside(canvas, x, y)) {
        Color& p = canvas.pixels[indexOf(canvas, x, y)];
        p = added(p, light);
    }
}

void fillRect(Canvas& canvas, int x, int y, int w, int h, Color c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            setPixel(canvas, i, j, c);
}

static const PaletteEntry* findKey(char key, const PaletteEntry* palette, int paletteSize)
{
    for (int i = 0; i < paletteSize; ++i)
        if (palette[i].key == key)
            return &palette[i];
    return nullptr;
}

bool drawGrid(Canvas& canvas, int left, int top, const char* const* rows, int rowCount,
              const PaletteEntry* palette, int paletteSize)
{
    for (int y = 0; y < rowCount; ++y) {
        for (int x = 0; rows[y][x] != '\0'; ++x) {
            char key = rows[y][x];
            if (key == '.' || key == ' ')
                continue;
            const PaletteEntry* entry = findKey(key, palette, paletteSize);
            if (!entry)
                return false;
            setPixel(canvas, left + x, top + y, entry->color);
        }
    }
    return true;
}

Canvas cropCanvas(const Canvas& canvas, int x, int y, int w, int h)
{
    Canvas part = makeCanvas(w, h, Color{0, 0, 0});
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            setPixel(part, i, j, pixelAt(canvas, x + i, y + j));
    return part;
}

void pasteScaled(Canvas& target, const Canvas& source, int x, int y, int scale)
{
    for (int j = 0; j < source.height * scale; ++j)
        for (int i = 0; i < source.width * scale; ++i)
            setPixel(target, x + i, y + j, pixelAt(source, i / scale, j / scale));
}

void blendCanvas(Canvas& target, const Canvas& source, int x, int y, float alpha)
{
    for (int j = 0; j < source.height; ++j)
        for (int i = 0; i < source.width; ++i)
            blendPixel(target, x + i, y + j, pixelAt(source, i, j), alpha);
}

static uint8_t toByte(float v)
{
    return static_cast<uint8_t>(std::lround(clampUnit(v) * 255.0f));
}

std::vector<uint8_t> toBytes(const Canvas& canvas)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(canvas.pixels.size() * 3);
    for (const Color& c : canvas.pixels) {
        bytes.push_back(toByte(c.r));
        bytes.push_back(toByte(c.g));
        bytes.push_back(toByte(c.b));
    }
    return bytes;
}

bool writeBmp(const std::string& path, const Canvas& canvas)
{
    std::vector<uint8_t> bytes = toBytes(canvas);
    return stbi_write_bmp(path.c_str(), canvas.width, canvas.height, 3, bytes.data()) != 0;
}

bool writePng(const std::string& path, const Canvas& canvas)
{
    std::vector<uint8_t> bytes = toBytes(canvas);
    return stbi_write_png(path.c_str(), canvas.width, canvas.height, 3, bytes.data(),
                          canvas.width * 3) != 0;
}
