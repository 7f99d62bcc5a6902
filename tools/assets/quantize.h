// Palette reduction: the painted pictures are brought down to a small set of
// colours (median cut, then nearest colour), which gives them the flat,
// hand-picked bands of pixel art instead of photographic smoothness.
#pragma once

#include "canvas.h"

#include <vector>

// Chooses at most `count` colours that represent the canvas (deterministic).
std::vector<Color> choosePalette(const Canvas& canvas, int count);

// Replaces every pixel with the nearest colour of the palette.
void mapToPalette(Canvas& canvas, const std::vector<Color>& palette);

// Both at once.
void reduceColors(Canvas& canvas, int count);
