// The game's pixels as its window holds them: a client rectangle copied from
// the window's own device context, never from the screen, so a read does not
// depend on where Wine last put the window on the screen (a window whose
// frame and client are out of step there still reads right).
#include "driver.h"

#include <cstdio>
#include <cstring>

bool clientPixels(HWND window, const RECT& rect, std::vector<uint32_t>* pixels)
{
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC client = GetDC(window);
    bool copied = false;
    if (memory && bitmap && client) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, w, h, client, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        if (copied) {
            const uint32_t* rows = static_cast<const uint32_t*>(bits);
            pixels->assign(rows, rows + static_cast<size_t>(w) * h);
        }
        SelectObject(memory, old);
    }
    if (client)
        ReleaseDC(window, client);
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    return copied;
}

bool clientPixel(HWND window, int x, int y, COLORREF* colour)
{
    std::vector<uint32_t> pixel;
    if (!clientPixels(window, RECT{x, y, x + 1, y + 1}, &pixel))
        return false;
    // A DIB pixel is 0x00RRGGBB, a COLORREF 0x00BBGGRR.
    *colour = RGB((pixel[0] >> 16) & 0xff, (pixel[0] >> 8) & 0xff, pixel[0] & 0xff);
    return true;
}

// client-image WIN: the whole client area as a 24-bit BMP file on standard
// output, for the image tools of the scenarios.
int clientImage(HWND window)
{
    RECT client;
    std::vector<uint32_t> pixels;
    if (!GetClientRect(window, &client) || !clientPixels(window, client, &pixels))
        return fail("cannot read the client area's pixels");
    int w = client.right, h = client.bottom;
    int rowBytes = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes) * h;
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = h;  // bottom-up rows, as BMP files have them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    // The whole file in one write: a driver ended half-way writes nothing.
    std::vector<unsigned char> bytes(file.bfSize, 0);
    std::memcpy(&bytes[0], &file, sizeof file);
    std::memcpy(&bytes[sizeof file], &header, sizeof header);
    for (int y = 0; y < h; ++y) {
        unsigned char* row = &bytes[file.bfOffBits + static_cast<size_t>(h - 1 - y) * rowBytes];
        for (int x = 0; x < w; ++x) {
            uint32_t pixel = pixels[static_cast<size_t>(y) * w + x];
            row[x * 3] = pixel & 0xff;
            row[x * 3 + 1] = (pixel >> 8) & 0xff;
            row[x * 3 + 2] = (pixel >> 16) & 0xff;
        }
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return 0;
}
