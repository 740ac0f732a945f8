// The brightness strip under the colour map: a band from white through the
// strip colour to black, always 300 points long from the view's left edge.
#pragma once

#include "CoreGraphics/CGColor.h"
#include "CoreGraphics/CGGradient.h"
#include "UIKit/UIView.h"

class GradientView : public UIView {
    KORVEL_OBJC_CLASS(GradientView)
public:
    ~GradientView() override;

    CGColorRef theColor() const { return theColor_; }
    // Neither rebuilds nor redraws: the caller follows with setupGradient
    // and setNeedsDisplay.
    void setTheColor(CGColorRef color) { theColor_ = color; }

    // White, the strip colour (opaque), black, evenly spaced.
    void setupGradient();
    CGGradientRef gradient() const { return gradient_; }

    void drawRect(CGRect rect) override;

private:
    Ref<CGGradient> gradient_;
    Ref<CGColor> theColor_;
};
