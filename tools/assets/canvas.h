// A picture being painted: floating-point RGB pixels with the few
// drawing operations the pictures, the icons and the contact sheet share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Color {
    float r;
    float g;
    float b;
};

struct Canvas {
    int width;
    int height;
    std::vector<Color> pixels;  // row by row from the top, each 0..1 per channel
};

// One entry of a pixel-art palette: the character used in a grid and its colour.
struct PaletteEntry {
    char key;
    Color color;
};

Color rgb(int r, int g, int b);  // from 0..255 components
Color mix(Color a, Color b, float t);
Color scaled(Color c, float factor);
Color added(Color a, Color b);
float clampUnit(float v);

Canvas makeCanvas(int width, int height, Color fill);
bool inside(const Canvas& canvas, int x, int y);
Color pixelAt(const Canvas& canvas, int x, int y);     // black outside the canvas
void setPixel(Canvas& canvas, int x, int y, Color c);  // ignored outside the canvas
void blendPixel(Canvas& canvas, int x, int y, Color c, float alpha);
void addPixel(Canvas& canvas, int x, int y, Color light);
void fillRect(Canvas& canvas, int x, int y, int w, int h, Color c);

// Paints a pixel-art grid with its top-left corner at (left, top). Each row is
// a string; '.' and ' ' leave the canvas untouched, every other character is
// looked up in the palette (an unknown character is an error: false).
bool drawGrid(Canvas& canvas, int left, int top, const char* const* rows, int rowCount,
              const PaletteEntry* palette, int paletteSize);

// The w x h pixels at (x, y); black where that reaches beyond the canvas.
Canvas cropCanvas(const Canvas& canvas, int x, int y, int w, int h);
// Copies `source` onto `target` at (x, y), `scale` target pixels per source pixel.
void pasteScaled(Canvas& target, const Canvas& source, int x, int y, int scale);
// Blends `source` over `target` at (x, y) with one constant opacity.
void blendCanvas(Canvas& target, const Canvas& source, int x, int y, float alpha);

// 8-bit RGB bytes, row by row from the top, rounded to the nearest step.
std::vector<uint8_t> toBytes(const Canvas& canvas);

// Writes an uncompressed 24-bit BMP or a PNG; false (with errno left set) on failure.
bool writeBmp(const std::string& path, const Canvas& canvas);
bool writePng(const std::string& path, const Canvas& canvas);
