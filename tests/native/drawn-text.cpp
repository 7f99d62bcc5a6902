// Draws one line of text as the native game's painter draws a line: black
// on an opaque white box the size of the line's logical extents, in
// IPAGothic at an absolute pixel size and weight, on a 24-bit image
// surface. The end-to-end tests compare it with what the game's window
// shows, so a painted text (the progress line) can be read back exactly.
//
// Usage: native-drawn-text PIXELS WEIGHT TEXT OUT.png   (TEXT in UTF-8)
// Prints the picture's width and height.
#include <pango/pangocairo.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s PIXELS WEIGHT TEXT OUT.png\n", argv[0]);
        return 2;
    }
    int pixels = std::atoi(argv[1]);
    int weight = std::atoi(argv[2]);

    // Measured on a scratch surface of the same kind, as the painter measures
    // on the surface it paints.
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* measure = cairo_create(scratch);
    PangoLayout* layout = pango_cairo_create_layout(measure);
    PangoFontDescription* font = pango_font_description_from_string("IPAGothic");
    pango_font_description_set_absolute_size(font, pixels * PANGO_SCALE);
    pango_font_description_set_weight(font, static_cast<PangoWeight>(weight));
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, argv[3], -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);
    if (logical.width <= 0 || logical.height <= 0) {
        std::fprintf(stderr, "%s: the text has no extent\n", argv[0]);
        return 1;
    }

    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, logical.width, logical.height);
    cairo_t* cr = cairo_create(surface);
    layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, argv[3], -1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout);
    cairo_surface_flush(surface);
    cairo_status_t written = cairo_surface_write_to_png(surface, argv[4]);
    g_object_unref(layout);
    pango_font_description_free(font);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    if (written != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[4]);
        return 1;
    }
    std::printf("%d %d\n", logical.width, logical.height);
    return 0;
}
