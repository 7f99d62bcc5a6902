// The program's own icon and cursors, built into the native program from
// the files the asset generator writes (images.cpp in the build folder).
#pragma once

#include <cstddef>

extern const unsigned char appIconFile[];  // the .ico of the White Arrow
extern const size_t appIconFileSize;
extern const unsigned char hoverCursorFile[];  // .cur: the hand
extern const size_t hoverCursorFileSize;
extern const unsigned char aimCursorFile[];  // .cur: the arrow while aiming
extern const size_t aimCursorFileSize;
