// The generator's top-level writers: each writes one family of files into a
// folder and returns false (after printing why) when a file cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool writePictures(const std::string& datDir);
bool writeMusic(const std::string& datDir);
bool writeEffects(const std::string& datDir);
bool writeIconFiles(const std::string& resDir);
// The end-to-end tests' target icon, one .ico file.
bool writeTargetIcon(const std::string& icoPath);
bool writeContactSheet(const std::string& pngPath);
// The program's icon for a desktop icon theme: THEME/NxN/apps/tavrenne.png
// at each of the sizes below.
const int themeIconSizeCount = 7;
extern const int themeIconSizes[themeIconSizeCount];
bool writeThemeIcons(const std::string& themeDir);
// One of those icons as RGBA rows, top row first.
std::vector<uint8_t> themeIconPixels(int size);

// Writes the whole file; false (after reporting why) when it cannot.
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Prints "tavrenne-assets: cannot write PATH: REASON" on standard error.
void reportWriteFailure(const std::string& path, const char* reason);
