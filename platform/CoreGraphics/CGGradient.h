// A colour gradient: colours at locations from 0 to 1 along an axis, drawn
// between two points (CGContextDrawLinearGradient). Colours are given as the
// components of a colour space followed by alpha; without locations the
// colours are spread evenly, the first at 0 and the last at 1.
#pragma once

#include <cstddef>
#include <vector>

#include "CoreGraphics/CGColorSpace.h"
#include "CoreGraphics/CGContext.h"

class CGGradient : public NSObject {
    KORVEL_OBJC_CLASS(CGGradient)
public:
    struct Stop {
        CGFloat location;
        CGFloat red, green, blue, alpha;
    };

    explicit CGGradient(std::vector<Stop> stops);

    // In order of location.
    const std::vector<Stop>& stops() const { return stops_; }

private:
    std::vector<Stop> stops_;
};

typedef CGGradient* CGGradientRef;

typedef unsigned int CGGradientDrawingOptions;
enum : CGGradientDrawingOptions {
    // The first colour continues before the start point.
    kCGGradientDrawsBeforeStartLocation = 1,
    // The last colour continues past the end point.
    kCGGradientDrawsAfterEndLocation = 2,
};

// `components` holds `count` colours of `space` (its components, then
// alpha); `locations` holds `count` locations, or is nil. nil for a space
// that is not monochrome or RGB, no components or no colours.
Ref<CGGradient> CGGradientCreateWithColorComponents(CGColorSpaceRef space, const CGFloat* components,
                                                    const CGFloat* locations, std::size_t count);

// Fills the clip with the gradient along the line from `start` to `end`:
// between the perpendiculars through the two points, and beyond them where
// the options say so. A start equal to the end draws nothing.
void CGContextDrawLinearGradient(CGContextRef c, CGGradientRef gradient, CGPoint start, CGPoint end,
                                 CGGradientDrawingOptions options);
