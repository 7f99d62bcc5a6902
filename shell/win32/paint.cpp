// The drawing verbs: the six bitmaps, three pens and the one memory surface,
// and the paint pass that paintWindow draws through.
#include "shell/win32/win32.h"

#include "shell/controls.h"
#include "shell/scene.h"
#include "shell/win32/text.h"

static HBITMAP pictures[pictureCount];
static HPEN pens[3];
static HDC memoryDC = nullptr;

// The paint pass in progress.
static PAINTSTRUCT paint;
static HDC paintDC = nullptr;
static HGDIOBJ originalPen = nullptr;
static HGDIOBJ originalFont = nullptr;

bool platform::loadPicture(Picture picture, const char* path)
{
    if (picture < 0 || picture >= pictureCount)
        return false;
    pictures[picture] = static_cast<HBITMAP>(
        LoadImageW(nullptr, widePathOf(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    return pictures[picture] != nullptr;
}

void createDrawingResources()
{
    loadPictures();  // one box per picture that fails
    for (int pen = RedPen; pen <= BlackPen; ++pen) {
        const PenLayout& layout = penTable[pen];
        pens[pen] = CreatePen(PS_SOLID, layout.width,
                              RGB(layout.colour.red, layout.colour.green, layout.colour.blue));
    }
    memoryDC = CreateCompatibleDC(nullptr);
}

void releaseDrawingResources()
{
    // No bitmap stays selected into the memory surface between draws, so
    // each can be deleted.
    for (HBITMAP& bitmap : pictures) {
        if (bitmap)
            DeleteObject(bitmap);
        bitmap = nullptr;
    }
    for (HPEN& pen : pens) {
        if (pen)
            DeleteObject(pen);
        pen = nullptr;
    }
    if (memoryDC)
        DeleteDC(memoryDC);
    memoryDC = nullptr;
}

void platform::beginPaint()
{
    paintDC = BeginPaint(mainWindow, &paint);
    originalPen = nullptr;
    originalFont = nullptr;
}

void platform::endPaint()
{
    if (paintDC && originalPen)
        SelectObject(paintDC, originalPen);
    if (paintDC && originalFont)
        SelectObject(paintDC, originalFont);
    EndPaint(mainWindow, &paint);
    paintDC = nullptr;
}

// Selects an object into the paint DC, remembering what was there first so
// endPaint can put it back.
static void selectInto(HGDIOBJ object, HGDIOBJ& original)
{
    HGDIOBJ previous = SelectObject(paintDC, object);
    if (!original)
        original = previous;
}

static HBITMAP pictureOf(Picture picture)
{
    return picture >= 0 && picture < pictureCount ? pictures[picture] : nullptr;
}

void platform::drawPicture(Picture picture, int x, int y, int w, int h)
{
    HBITMAP bitmap = pictureOf(picture);
    if (!paintDC || !memoryDC || !bitmap)
        return;
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    BitBlt(paintDC, x, y, w, h, memoryDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, previous);
}

void platform::blendPicture(Picture picture, int x, int y, int w, int h, int alpha)
{
    HBITMAP bitmap = pictureOf(picture);
    if (!paintDC || !memoryDC || !bitmap)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha), 0};
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    AlphaBlend(paintDC, x, y, w, h, memoryDC, 0, 0, w, h, blend);
    SelectObject(memoryDC, previous);
}

void platform::drawLine(Pen pen, int x1, int y1, int x2, int y2)
{
    if (!paintDC || pen < RedPen || pen > BlackPen)
        return;
    selectInto(pens[pen], originalPen);
    MoveToEx(paintDC, x1, y1, nullptr);
    LineTo(paintDC, x2, y2);
}

HDC currentPaintDC()
{
    return paintDC;
}

void platform::drawText(Font font, const char* text, const Rect& rect, TextLayout layout)
{
    if (!paintDC)
        return;
    selectInto(fontOf(font), originalFont);
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    UINT format = layout == BottomLeftOneLine ? DT_SINGLELINE | DT_LEFT | DT_BOTTOM : DT_CENTER;
    DrawTextW(paintDC, wideOf(text).c_str(), -1, &r, format);
}
