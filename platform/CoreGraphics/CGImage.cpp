#include "CoreGraphics/CGImage.h"

#include "objc/ClassBuilder.h"

Class CGImage::class_() {
    static Class cls = objc::ClassBuilder<CGImage>("CGImage", NSObject::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGImage::class_();

CGImage::CGImage(cairo_surface_t* surface) : surface_(surface) {}

CGImage::~CGImage() { cairo_surface_destroy(surface_); }

std::size_t CGImage::width() const { return static_cast<std::size_t>(cairo_image_surface_get_width(surface_)); }

std::size_t CGImage::height() const { return static_cast<std::size_t>(cairo_image_surface_get_height(surface_)); }

std::size_t CGImageGetWidth(CGImageRef image) { return image ? image->width() : 0; }

std::size_t CGImageGetHeight(CGImageRef image) { return image ? image->height() : 0; }
