// What the driver's source files share: failing with a message, numbers,
// printing, texts in the process code page, the window's own pixels, and
// the painted-text check.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<std::string> Args;

// Prints "driver: WHAT" on stderr and returns 1.
int fail(const std::string& what);
// A number in decimal or 0x hex.
long number(const std::string& text);
// Texts inside the driver are UTF-8; the system's are UTF-16.
std::string utf8Of(const std::wstring& wide);
std::wstring wideOf(const std::string& utf8);
void print(const std::string& line);

// drawn-text WIN HEIGHT WEIGHT LEFT TOP RIGHT BOTTOM LAYOUT TEXT [ms]:
// waits until the client rectangle shows TEXT exactly as the game's painter
// draws it on the window background (see driver_text.cpp).
int drawnText(const Args& args, HWND window);

// The client rectangle's pixels (0x00RRGGBB, top row first), copied from the
// window's own device context (see driver_pixels.cpp).
bool clientPixels(HWND window, const RECT& rect, std::vector<uint32_t>* pixels);
bool clientPixel(HWND window, int x, int y, COLORREF* colour);
// client-image WIN: the client area as a BMP file on standard output.
int clientImage(HWND window);
