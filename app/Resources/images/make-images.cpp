// make-images FOLDER: draws every registered bundle image into FOLDER.
#include <cstdio>

#include "ImagePainter.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    int failures = 0;
    for (const ImagePainter& painter : ImagePainter::all()) {
        if (!painter.writeInto(argv[1])) {
            std::fprintf(stderr, "make-images: could not write %s into %s\n", painter.fileName.c_str(), argv[1]);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
