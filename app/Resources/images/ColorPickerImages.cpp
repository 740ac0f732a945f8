// The colour picker's images: the hue/saturation map, the cross-hair that
// marks the point on it and the marker on the brightness strip.
#include <cmath>

#include "ImagePainter.h"
#include "UIKit/UIColor.h"

namespace {

// Hue from 0 at the left edge across the width, saturation from 1 at the top
// edge down to 0 at the bottom, full brightness: the picker reads a touch at
// (x, y) of the map as exactly this colour.
void paintColorMap(cairo_t* cr, int width, int height) {
    cairo_surface_t* surface = cairo_get_target(cr);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            double hue = (x + 0.5) / width;
            double saturation = 1.0 - (y + 0.5) / height;
            Ref<UIColor> color = UIColor::colorWithHue(static_cast<CGFloat>(hue), static_cast<CGFloat>(saturation), 1, 1);
            const CGFloat* c = CGColorGetComponents(color->CGColor());
            auto byte = [](CGFloat v) { return static_cast<uint32_t>(std::lround(v * 255)); };
            row[x] = 0xFF000000u | byte(c[0]) << 16 | byte(c[1]) << 8 | byte(c[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
}

// A ring with four ticks, dark with a light rim so it shows on every colour.
void paintCrossHair(cairo_t* cr, int width, int height) {
    double cx = width / 2.0, cy = height / 2.0;
    for (int pass = 0; pass < 2; ++pass) {
        cairo_set_line_width(cr, pass == 0 ? 4 : 2);
        if (pass == 0) cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        else cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_arc(cr, cx, cy, width / 4.0, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_move_to(cr, cx, 1);
        cairo_line_to(cr, cx, cy - width / 4.0);
        cairo_move_to(cr, cx, cy + width / 4.0);
        cairo_line_to(cr, cx, height - 1);
        cairo_move_to(cr, 1, cy);
        cairo_line_to(cr, cx - width / 4.0, cy);
        cairo_move_to(cr, cx + width / 4.0, cy);
        cairo_line_to(cr, width - 1, cy);
        cairo_stroke(cr);
    }
}

// An upright bar across the strip, dark with a light rim.
void paintBrightnessBar(cairo_t* cr, int width, int height) {
    cairo_rectangle(cr, 1, 1, width - 2, height - 2);
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.85);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

const ImagePainter::Registration colorMap("colormap.png", 298, 257, paintColorMap);
const ImagePainter::Registration crossHair("crosshair.png", 24, 24, paintCrossHair);
const ImagePainter::Registration brightnessBar("brightnessbar.png", 8, 48, paintBrightnessBar);

}  // namespace
