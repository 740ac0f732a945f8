#include "ColorPicker/ColorMatrixView.h"

#include "objc/ClassBuilder.h"

Class ColorMatrixView::class_() {
    static Class cls =
        objc::ClassBuilder<ColorMatrixView>("ColorMatrixView", UIImageView::class_()).allocatable().build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ColorMatrixView::class_();

ColorMatrixView::~ColorMatrixView() = default;

void ColorMatrixView::drawRect(CGRect) {}
