// The account cell's two faces: the selection gradient stretched over a
// selected row's front face, and the small mesh repeated across the back
// face.
#include "ImagePainter.h"

namespace {

// The platform's blue selection: light at the top, deeper towards the
// bottom, with a slightly darker first line. Drawn tall and narrow; it is
// stretched to the row.
void paintSelectionGradient(cairo_t* cr, int width, int height) {
    cairo_pattern_t* blue = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(blue, 0, 0.02, 0.55, 0.96);
    cairo_pattern_add_color_stop_rgb(blue, 1, 0.01, 0.37, 0.90);
    cairo_set_source(cr, blue);
    cairo_paint(cr);
    cairo_pattern_destroy(blue);
    cairo_set_source_rgb(cr, 0.01, 0.42, 0.85);
    cairo_rectangle(cr, 0, 0, width, 1);
    cairo_fill(cr);
}

// A dark slate tile with a lighter diagonal lattice; tiles join seamlessly.
void paintMesh(cairo_t* cr, int width, int height) {
    cairo_set_source_rgb(cr, 0.23, 0.25, 0.29);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.33, 0.36, 0.41);
    cairo_set_line_width(cr, 1);
    // Both diagonals, drawn again shifted by a tile so they wrap around.
    for (int shift : {-1, 0, 1}) {
        const double dx = shift * width;
        cairo_move_to(cr, dx, 0);
        cairo_line_to(cr, dx + width, height);
        cairo_move_to(cr, dx + width, 0);
        cairo_line_to(cr, dx, height);
    }
    cairo_stroke(cr);
}

const ImagePainter::Registration selection("selectiongradient.png", 8, 60, paintSelectionGradient);
const ImagePainter::Registration mesh("meshpattern.png", 8, 8, paintMesh);

}  // namespace
