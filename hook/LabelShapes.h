// The label styles and the shape each gives the label view of a message row:
// the one table that the hook builds Mail's rows from and that the settings
// app's preview draws its sample row from, so the two cannot drift apart.
// Plain C++ without any platform header, as the hook requires.
#ifndef KORVELHOOK_LABELSHAPES_H
#define KORVELHOOK_LABELSHAPES_H

namespace LabelShapes {

// The values of "mail_label_style"; any other value is the square.
enum Style {
    kSquare = 0,
    kBar = 1,
    kDotLeft = 2,
    kDotRight = 3,
    kDateColour = 4,
    kDateBackground = 5,
    kTint = 6,
    kSquareRight = 7,
    kThinBar = 8,
};

// The view's autoresizing masks: keep to the right edge, stretch with the row.
const unsigned kFlexibleLeftMargin = 1;
const unsigned kFlexibleWidth = 2;

// Opacity of the tint and of the date background; corner radius of the dots
// and of the date background.
const float kTintOpacity = 0.3f;
const float kDotRadius = 6;
const float kDateBackgroundRadius = 3;
// The date's own colour where no record colours it (the date-colour style).
const float kDefaultDateColour[4] = {36 / 255.0f, 112 / 255.0f, 216 / 255.0f, 1};
// Row height the label covers per preview line, and once more with any lines.
const float kPreviewLineHeight = 15;
const float kPreviewExtra = 4;

struct Frame {
    float x, y, width, height;
};

// One style's label view. The frame's x counts from the row's right edge
// when fromRight; width and height follow the row's when rowWidth or
// rowHeight. A radius of 0 and an opacity of 1 are the view's own.
struct Shape {
    float x, y, width, height;
    bool fromRight, rowWidth, rowHeight;
    float cornerRadius;
    float opacity;
    unsigned resizing;
};

inline Shape shapeOf(int style) {
    switch (style) {
        case kBar: return {0, 0, 30, 0, false, false, true, 0, 1, 0};
        case kDotLeft: return {11.5f, 8, 10, 10, false, false, false, kDotRadius, 1, 0};
        case kDotRight: return {20, 9, 10, 10, true, false, false, kDotRadius, 1, kFlexibleLeftMargin};
        case kTint: return {0, 0, 0, 0, false, true, true, 0, kTintOpacity, kFlexibleWidth};
        case kSquareRight: return {20, 9, 10, 10, true, false, false, 0, 1, kFlexibleLeftMargin};
        case kThinBar: return {0, 0, 7, 0, false, false, true, 0, 1, 0};
        default: return {11.5f, 8, 10, 10, false, false, false, 0, 1, 0};
    }
}

// The height the label covers in a row `rowHeight` high that shows
// `previewLines` lines of preview.
inline float labelHeight(float rowHeight, int previewLines) {
    return previewLines == 0 ? rowHeight : rowHeight + kPreviewLineHeight * static_cast<float>(previewLines) + kPreviewExtra;
}

// The label view's frame in a row `width` wide whose label covers `height`.
inline Frame frameOf(const Shape& shape, float width, float height) {
    Frame f = {shape.fromRight ? width - shape.x : shape.x, shape.y, shape.rowWidth ? width : shape.width,
               shape.rowHeight ? height : shape.height};
    return f;
}

}  // namespace LabelShapes

#endif
