// The look shared by the navigation bar and the toolbar: the bar styles and
// the background each style draws.
#pragma once

#include "CoreGraphics/CGContext.h"
#include "objc/runtime.h"

enum UIBarStyle : NSInteger {
    UIBarStyleDefault = 0,
    UIBarStyleBlack = 1,
    // Black, and the content beneath shows through.
    UIBarStyleBlackTranslucent = 2,
};

class UIBarAppearance {
public:
    static constexpr CGFloat kBarHeight = 44;
    // The opacity of a translucent bar's background.
    static constexpr CGFloat kTranslucentAlpha = 0.5f;

    // A number that is no bar style gives the default style.
    static UIBarStyle styleFrom(NSInteger style);
    // Fills `rect` with the style's background: a lighter upper half, a
    // darker lower half and a dark line along the bottom edge.
    static void drawBackground(CGContextRef context, CGRect rect, UIBarStyle style);
};
