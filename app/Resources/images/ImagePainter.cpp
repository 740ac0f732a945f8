#include "ImagePainter.h"

namespace {

std::vector<ImagePainter>& registry() {
    static std::vector<ImagePainter> painters;
    return painters;
}

}  // namespace

ImagePainter::Registration::Registration(std::string fileName, int width, int height, Paint paint) {
    registry().push_back(ImagePainter{std::move(fileName), width, height, std::move(paint)});
}

const std::vector<ImagePainter>& ImagePainter::all() { return registry(); }

bool ImagePainter::writeInto(const std::string& folder) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    paint(cr, width, height);
    cairo_destroy(cr);
    bool written = cairo_surface_write_to_png(surface, (folder + "/" + fileName).c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}
