#include "ColorPicker/GradientView.h"

#include "CoreGraphics/CGContextStateGuard.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"

Class GradientView::class_() {
    static Class cls = objc::ClassBuilder<GradientView>("GradientView", UIView::class_())
                           .method<&GradientView::setupGradient>("setupGradient")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = GradientView::class_();

GradientView::~GradientView() = default;

void GradientView::setupGradient() {
    CGFloat red = 0, green = 0, blue = 0;
    if (const CGFloat* components = CGColorGetComponents(theColor_)) {
        // A grey colour has one component before alpha; reading three would
        // run past its end.
        if (CGColorGetNumberOfComponents(theColor_) >= 4) {
            red = components[0];
            green = components[1];
            blue = components[2];
        } else {
            red = green = blue = components[0];
        }
    }
    const CGFloat colors[12] = {1, 1, 1, 1, red, green, blue, 1, 0, 0, 0, 1};
    Ref<CGColorSpace> space = CGColorSpaceCreateDeviceRGB();
    gradient_ = CGGradientCreateWithColorComponents(space, colors, nullptr, 3);
}

void GradientView::drawRect(CGRect) {
    if (!gradient_) return;
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGContextStateGuard saved(context);
    CGContextClipToRect(context, CGRectMake(0, 0, 300, 60));
    CGContextDrawLinearGradient(context, gradient_, CGPointMake(0, 0), CGPointMake(300, 0), 0);
}
