// The account list's bar icons: the gear of the settings button and the plus
// of the add button, white on clear as bar icons are.
#include <cmath>

#include "ImagePainter.h"

namespace {

// A cog of eight teeth around a ring, with a hole in the middle.
void paintGear(cairo_t* cr, int width, int height) {
    const double cx = width / 2.0, cy = height / 2.0;
    const double outer = width * 0.48, inner = width * 0.36, hole = width * 0.14;
    const int teeth = 8;
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_new_path(cr);
    for (int i = 0; i < 2 * teeth; ++i) {
        // Each tooth is flat-topped: two points on the outer radius, then two
        // on the inner.
        double radius = i % 2 == 0 ? outer : inner;
        double from = (i - 0.35) * M_PI / teeth, to = (i + 0.35) * M_PI / teeth;
        if (i == 0) cairo_move_to(cr, cx + radius * std::cos(from), cy + radius * std::sin(from));
        else cairo_line_to(cr, cx + radius * std::cos(from), cy + radius * std::sin(from));
        cairo_line_to(cr, cx + radius * std::cos(to), cy + radius * std::sin(to));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, hole, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
}

// A plus with bars a quarter of the size thick.
void paintPlus(cairo_t* cr, int width, int height) {
    const double thick = std::max(2.0, std::round(width / 4.0));
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_rectangle(cr, (width - thick) / 2, 0, thick, height);
    cairo_rectangle(cr, 0, (height - thick) / 2, width, thick);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

const ImagePainter::Registration gear("20-gear2.png", 20, 20, paintGear);
const ImagePainter::Registration plus("13-plus.png", 13, 13, paintPlus);

}  // namespace
