// The painter's verbs over cairo. What the client area shows is kept in a
// back buffer: a paint pass draws the invalidated region into it (erased to
// the window's background first), and the client area's draw handler only
// copies the buffer out. So the screen changes only where the rules asked
// for a repaint, and only when they paint, as on Windows.
#include <cmath>
#include <string>

#include "shell/controls.h"
#include "shell/gtk/native.h"
#include "shell/scene.h"

static cairo_surface_t* backBuffer = nullptr;
static cairo_region_t* invalid = nullptr;  // waiting for the next paint pass

static cairo_surface_t* pictures[pictureCount];
static PangoFontDescription* fonts[2];

// The paint pass in progress.
static cairo_t* paintContext = nullptr;
static cairo_region_t* painting = nullptr;

static void setSource(cairo_t* cr, const Colour& colour)
{
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void createBackBuffer(int width, int height)
{
    backBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(backBuffer);
    setSource(cr, windowLayout.background);
    cairo_paint(cr);
    cairo_destroy(cr);
    invalid = cairo_region_create();
}

void releaseBackBuffer()
{
    if (invalid)
        cairo_region_destroy(invalid);
    invalid = nullptr;
    if (backBuffer)
        cairo_surface_destroy(backBuffer);
    backBuffer = nullptr;
}

bool invalidRegionEmpty()
{
    return !invalid || cairo_region_is_empty(invalid);
}

void drawBackBuffer(cairo_t* cr)
{
    if (!backBuffer)
        return;
    cairo_set_source_surface(cr, backBuffer, 0, 0);
    cairo_paint(cr);
}

void platform::invalidate(const Rect* rect)
{
    if (!invalid || !backBuffer)
        return;
    cairo_rectangle_int_t area = {0, 0, cairo_image_surface_get_width(backBuffer),
                                  cairo_image_surface_get_height(backBuffer)};
    if (rect) {
        cairo_rectangle_int_t asked = {rect->left, rect->top, rect->right - rect->left,
                                       rect->bottom - rect->top};
        if (asked.width <= 0 || asked.height <= 0)
            return;
        gdk_rectangle_intersect(&asked, &area, &area);
    }
    cairo_region_union_rectangle(invalid, &area);
    requestPaint();
}

// ---- pictures, pens, fonts ----

// A BMP file under its .dat name; GdkPixbuf tells the format by its content.
bool platform::loadPicture(Picture picture, const char* path)
{
    if (picture < 0 || picture >= pictureCount)
        return false;
    std::string real = systemPathOf(path);
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(real.c_str(), nullptr);
    if (!pixbuf)
        return false;
    pictures[picture] = gdk_cairo_surface_create_from_pixbuf(pixbuf, 1, nullptr);
    g_object_unref(pixbuf);
    return true;
}

PangoFontDescription* fontDescription(Font font)
{
    return fonts[font == LogFont ? LogFont : SmallFont];
}

void createDrawingResources()
{
    for (int font = SmallFont; font <= LogFont; ++font) {
        // A Japanese font; the cell height of the Windows font is this
        // font's em, as its ascent and descent make one em.
        PangoFontDescription* description = pango_font_description_from_string("IPAGothic");
        pango_font_description_set_absolute_size(description, fontTable[font].height * PANGO_SCALE);
        pango_font_description_set_weight(description,
                                          static_cast<PangoWeight>(fontTable[font].weight));
        fonts[font] = description;
    }
    loadPictures();  // one box per picture that fails
}

void releaseDrawingResources()
{
    for (cairo_surface_t*& picture : pictures) {
        if (picture)
            cairo_surface_destroy(picture);
        picture = nullptr;
    }
    for (PangoFontDescription*& font : fonts) {
        if (font)
            pango_font_description_free(font);
        font = nullptr;
    }
}

// ---- the paint pass ----

void platform::beginPaint()
{
    if (!backBuffer || paintContext)
        return;
    painting = cairo_region_copy(invalid);
    cairo_region_subtract(invalid, invalid);  // opening the pass validates it
    paintContext = cairo_create(backBuffer);
    gdk_cairo_region(paintContext, painting);
    cairo_clip(paintContext);
    setSource(paintContext, windowLayout.background);  // the erase
    cairo_paint(paintContext);
}

void platform::endPaint()
{
    if (!paintContext)
        return;
    cairo_destroy(paintContext);
    paintContext = nullptr;
    if (clientArea && !cairo_region_is_empty(painting))
        gtk_widget_queue_draw_region(clientArea, painting);
    cairo_region_destroy(painting);
    painting = nullptr;
}

static cairo_surface_t* pictureOf(Picture picture)
{
    return picture >= 0 && picture < pictureCount ? pictures[picture] : nullptr;
}

void platform::drawPicture(Picture picture, int x, int y, int w, int h)
{
    cairo_surface_t* surface = pictureOf(picture);
    if (!paintContext || !surface)
        return;
    cairo_save(paintContext);
    cairo_rectangle(paintContext, x, y, w, h);
    cairo_clip(paintContext);
    cairo_set_source_surface(paintContext, surface, x, y);
    cairo_paint(paintContext);
    cairo_restore(paintContext);
}

void platform::blendPicture(Picture picture, int x, int y, int w, int h, int alpha)
{
    cairo_surface_t* surface = pictureOf(picture);
    if (!paintContext || !surface)
        return;
    alpha = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
    cairo_save(paintContext);
    cairo_rectangle(paintContext, x, y, w, h);
    cairo_clip(paintContext);
    cairo_set_source_surface(paintContext, surface, x, y);
    cairo_paint_with_alpha(paintContext, alpha / 255.0);
    cairo_restore(paintContext);
}

// A solid line of the pen's width centred on the pixel row or column, with
// flat ends: from (x1, y1) up to but not including (x2, y2).
void platform::drawLine(Pen pen, int x1, int y1, int x2, int y2)
{
    if (!paintContext || pen < RedPen || pen > BlackPen)
        return;
    const PenLayout& layout = penTable[pen];
    cairo_save(paintContext);
    setSource(paintContext, layout.colour);
    cairo_set_line_width(paintContext, layout.width);
    cairo_set_line_cap(paintContext, CAIRO_LINE_CAP_BUTT);
    double offsetX = y1 == y2 ? 0.0 : 0.5;
    double offsetY = x1 == x2 ? 0.0 : 0.5;
    cairo_move_to(paintContext, x1 + offsetX, y1 + offsetY);
    cairo_line_to(paintContext, x2 + offsetX, y2 + offsetY);
    cairo_stroke(paintContext);
    cairo_restore(paintContext);
}

void platform::drawIcon(Icon icon, int x, int y)
{
    cairo_surface_t* surface = iconSurface(icon);
    if (!paintContext || !surface)
        return;
    cairo_save(paintContext);
    cairo_rectangle(paintContext, x, y, 32, 32);
    cairo_clip(paintContext);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    cairo_translate(paintContext, x, y);
    if (w > 0 && h > 0 && (w != 32 || h != 32))
        cairo_scale(paintContext, 32.0 / w, 32.0 / h);
    cairo_set_source_surface(paintContext, surface, 0, 0);
    cairo_paint(paintContext);
    cairo_restore(paintContext);
}

// One line of text in black on an opaque white box the size of the line,
// as the Windows painter draws with the surface's default colours.
static void drawLineOfText(PangoLayout* layout, const std::string& line, int x, int y,
                           int* width, int* height, bool measureOnly)
{
    pango_layout_set_text(layout, line.c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    *width = logical.width;
    *height = logical.height;
    if (measureOnly)
        return;
    cairo_set_source_rgb(paintContext, 1, 1, 1);
    cairo_rectangle(paintContext, x, y, logical.width, logical.height);
    cairo_fill(paintContext);
    cairo_set_source_rgb(paintContext, 0, 0, 0);
    cairo_move_to(paintContext, x, y);
    pango_cairo_show_layout(paintContext, layout);
}

void platform::drawText(Font font, const char* text, const Rect& rect, TextLayout layoutKind)
{
    if (!paintContext || !text)
        return;
    cairo_save(paintContext);
    cairo_rectangle(paintContext, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(paintContext);
    PangoLayout* layout = pango_cairo_create_layout(paintContext);
    pango_layout_set_font_description(layout, fontDescription(font));
    std::string utf8 = utf8Of(text);
    int w = 0;
    int h = 0;
    if (layoutKind == BottomLeftOneLine) {
        for (char& c : utf8)
            if (c == '\n' || c == '\r')
                c = ' ';
        drawLineOfText(layout, utf8, rect.left, 0, &w, &h, true);
        drawLineOfText(layout, utf8, rect.left, rect.bottom - h, &w, &h, false);
    } else {
        int y = rect.top;
        size_t start = 0;
        while (start <= utf8.size()) {
            size_t end = utf8.find('\n', start);
            std::string line = utf8.substr(start, end == std::string::npos ? std::string::npos : end - start);
            drawLineOfText(layout, line, 0, 0, &w, &h, true);
            int x = rect.left + (rect.right - rect.left - w) / 2;
            drawLineOfText(layout, line, x, y, &w, &h, false);
            y += h;
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    g_object_unref(layout);
    cairo_restore(paintContext);
}
