#include "UIKit/UIBarAppearance.h"

UIBarStyle UIBarAppearance::styleFrom(NSInteger style) {
    return style == UIBarStyleBlack || style == UIBarStyleBlackTranslucent ? static_cast<UIBarStyle>(style)
                                                                           : UIBarStyleDefault;
}

void UIBarAppearance::drawBackground(CGContextRef context, CGRect rect, UIBarStyle style) {
    if (!context) return;
    CGFloat alpha = style == UIBarStyleBlackTranslucent ? kTranslucentAlpha : 1;
    CGFloat half = rect.size.height / 2;
    CGRect upper = CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, half);
    CGRect lower = CGRectMake(rect.origin.x, rect.origin.y + half, rect.size.width, rect.size.height - half);
    CGRect edge = CGRectMake(rect.origin.x, CGRectGetMaxY(rect) - 1, rect.size.width, 1);
    if (style == UIBarStyleDefault) {
        CGContextSetRGBFillColor(context, 0.56f, 0.63f, 0.72f, alpha);
        CGContextFillRect(context, upper);
        CGContextSetRGBFillColor(context, 0.43f, 0.52f, 0.63f, alpha);
        CGContextFillRect(context, lower);
        CGContextSetRGBFillColor(context, 0.18f, 0.25f, 0.33f, alpha);
    } else {
        CGContextSetGrayFillColor(context, 0.2f, alpha);
        CGContextFillRect(context, upper);
        CGContextSetGrayFillColor(context, 0.05f, alpha);
        CGContextFillRect(context, lower);
        CGContextSetGrayFillColor(context, 0, alpha);
    }
    CGContextFillRect(context, edge);
}
