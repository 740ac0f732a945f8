// The app's bundle images are drawn by our own program at build time. Each
// image is a painter registered under its file name; make-images draws every
// painter into the bundle folder it is given.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

class ImagePainter {
public:
    using Paint = std::function<void(cairo_t* cr, int width, int height)>;

    // Registers an image at static-initialisation time:
    //   static const ImagePainter::Registration gear("20-gear2.png", 20, 20, paintGear);
    struct Registration {
        Registration(std::string fileName, int width, int height, Paint paint);
    };

    std::string fileName;
    int width;
    int height;
    Paint paint;

    static const std::vector<ImagePainter>& all();
    // Draws the image into `folder`/fileName as a PNG; false when it cannot be written.
    bool writeInto(const std::string& folder) const;
};
