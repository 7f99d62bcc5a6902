// The driver's painted-text check: the expected text is drawn here, the way
// the game's painter draws it (a Shift_JIS font of the given height and
// weight, black on the opaque white text background, over the window
// background), and compared pixel for pixel with what the window shows.
#include "driver.h"

#include <cstring>

// A 32-bit top-down surface of w x h pixels.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    unsigned* pixels;
};

static bool makeSurface(int w, int h, Surface* s)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    s->dc = CreateCompatibleDC(nullptr);
    s->bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    s->pixels = static_cast<unsigned*>(bits);
    s->previous = s->dc && s->bitmap ? SelectObject(s->dc, s->bitmap) : nullptr;
    return s->previous != nullptr;
}

static void freeSurface(Surface& s)
{
    if (s.previous)
        SelectObject(s.dc, s.previous);
    if (s.bitmap)
        DeleteObject(s.bitmap);
    if (s.dc)
        DeleteDC(s.dc);
}

struct TextDrawing {
    int height;
    int weight;
    RECT rect;  // client coordinates
    UINT format;
    std::string text;
};

static void drawExpected(const TextDrawing& drawing, const Surface& s, int w, int h)
{
    RECT all = {0, 0, w, h};
    FillRect(s.dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
    HFONT font = CreateFontW(drawing.height, 0, 0, 0, drawing.weight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                             0, nullptr);
    HGDIOBJ old = SelectObject(s.dc, font);
    DrawTextW(s.dc, wideOf(drawing.text).c_str(), -1, &all, drawing.format);
    SelectObject(s.dc, old);
    DeleteObject(font);
    GdiFlush();
}

// How many pixels of the rectangle differ from the expected drawing; -1 when
// the window cannot be read. The text is laid out in the whole rectangle, as
// the painter lays it out, but only its part inside the client area is compared.
static long differingPixels(HWND window, const TextDrawing& drawing)
{
    RECT client;
    if (!GetClientRect(window, &client))
        return -1;
    int w = drawing.rect.right - drawing.rect.left;
    int h = drawing.rect.bottom - drawing.rect.top;
    int shownW = (drawing.rect.right < client.right ? drawing.rect.right : client.right) - drawing.rect.left;
    int shownH = (drawing.rect.bottom < client.bottom ? drawing.rect.bottom : client.bottom) - drawing.rect.top;
    if (w <= 0 || h <= 0 || shownW <= 0 || shownH <= 0)
        return -1;
    Surface expected = {};
    long differing = -1;
    if (makeSurface(w, h, &expected)) {
        drawExpected(drawing, expected, w, h);
        std::vector<uint32_t> shown;
        RECT part = {drawing.rect.left, drawing.rect.top, drawing.rect.left + shownW, drawing.rect.top + shownH};
        if (clientPixels(window, part, &shown)) {
            differing = 0;
            for (int y = 0; y < shownH; ++y)
                for (int x = 0; x < shownW; ++x)
                    if ((expected.pixels[y * w + x] ^ shown[y * shownW + x]) & 0xffffff)
                        ++differing;
        }
    }
    freeSurface(expected);
    return differing;
}

int drawnText(const Args& args, HWND window)
{
    if (args.size() < 10)
        return fail("drawn-text: WIN HEIGHT WEIGHT LEFT TOP RIGHT BOTTOM LAYOUT TEXT [ms]");
    TextDrawing drawing;
    drawing.height = static_cast<int>(number(args[2]));
    drawing.weight = static_cast<int>(number(args[3]));
    drawing.rect = RECT{number(args[4]), number(args[5]), number(args[6]), number(args[7])};
    if (args[8] == "bottom-left")
        drawing.format = DT_SINGLELINE | DT_LEFT | DT_BOTTOM;
    else if (args[8] == "centred")
        drawing.format = DT_CENTER;
    else
        return fail("drawn-text: the layout is bottom-left or centred, not " + args[8]);
    drawing.text = args[9];
    DWORD limit = args.size() > 10 ? static_cast<DWORD>(number(args[10])) : 20000;
    DWORD start = GetTickCount();
    long differing = differingPixels(window, drawing);
    while (differing != 0 && GetTickCount() - start < limit) {
        Sleep(50);
        differing = differingPixels(window, drawing);
    }
    if (differing != 0)
        return fail("the window does not show \"" + drawing.text + "\" at " + args[4] + "," +
                    args[5] + "-" + args[6] + "," + args[7] + ": " + std::to_string(differing) +
                    " pixels differ");
    return 0;
}
