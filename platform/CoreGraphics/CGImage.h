// A bitmap image: pixels in a Cairo image surface (premultiplied ARGB), one
// pixel per point.
#pragma once

#include <cairo.h>

#include <cstddef>

#include "objc/NSObject.h"

class CGImage : public NSObject {
    KORVEL_OBJC_CLASS(CGImage)
public:
    // Takes over one reference to `surface`, which must be an image surface.
    explicit CGImage(cairo_surface_t* surface);
    ~CGImage() override;

    cairo_surface_t* surface() const { return surface_; }
    std::size_t width() const;
    std::size_t height() const;

private:
    cairo_surface_t* surface_;
};

typedef CGImage* CGImageRef;

// A nil image is 0 by 0.
std::size_t CGImageGetWidth(CGImageRef image);
std::size_t CGImageGetHeight(CGImageRef image);
