#include "Classes/ExampleCell.h"

#include "CoreGraphics/CGBitmapContext.h"
#include "CoreGraphics/CGGradient.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIScrollView.h"
#include "objc/ClassBuilder.h"

Class ExampleCell::class_() {
    using C = ExampleCell;
    static Class cls = objc::ClassBuilder<C>("ExampleCell", ZRSwipeableTableViewCell::class_())
                           .method<&C::text>("text")
                           .method<&C::setText>("setText:")
                           .method<&C::drawShadowsWithHeight>("drawShadowsWithHeight:opacity:InRect:forContext:")
                           .method<&C::buttonWasTapped>("buttonWasTapped:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ExampleCell::class_();

ExampleCell::ExampleCell() = default;
ExampleCell::~ExampleCell() = default;

void ExampleCell::setText(NSString* text) {
    if (text_.get() == text) return;
    text_ = text;
    setNeedsDisplay();
}

Ref<UIColor> ExampleCell::quickColour(NSInteger number) {
    switch (number) {
        case 1: return UIColor::blueColor();
        case 2: return UIColor::redColor();
        case 3: return UIColor::greenColor();
        case 4: return UIColor::yellowColor();
        case 5: return UIColor::purpleColor();
        case 6: return UIColor::orangeColor();
        case 7: return UIColor::lightGrayColor();
        case 8: return UIColor::whiteColor();
        case 9: return UIColor::blackColor();
        case 10: return UIColor::magentaColor();
        default: return UIColor::clearColor();
    }
}

void ExampleCell::drawContentView(CGRect rect) {
    Ref<UIColor> textColour = UIColor::blackColor();
    if (isSelected()) {
        textColour = UIColor::whiteColor();
        if (Ref<UIImage> gradient = UIImage::imageNamed("selectiongradient.png"_ns)) gradient->drawInRect(rect);
    }
    textColour->set();
    if (!text_) return;
    Ref<UIFont> font = UIFont::boldSystemFontOfSize(kTitleFontSize);
    // Centred by the rectangle's size alone.
    const CGFloat width = rect.size.width, height = rect.size.height;
    CGSize size = NSStringDrawing::sizeWithFont(text_, font, CGSizeMake(width, height));
    NSStringDrawing::drawInRect(text_,
                                CGRectMake(width * 0.5f - size.width * 0.5f, height * 0.5f - size.height * 0.5f,
                                           size.width, size.height),
                                font);
}

void ExampleCell::drawBackView(CGRect rect) {
    if (Ref<UIImage> mesh = UIImage::imageNamed("meshpattern.png"_ns)) mesh->drawAsPatternInRect(rect);
    drawShadowsWithHeight(kShadowHeight, kShadowOpacity, rect, UIGraphicsGetCurrentContext());
}

void ExampleCell::drawShadowsWithHeight(float height, float opacity, CGRect rect, CGContextRef context) {
    CGColorSpaceRef space = CGBitmapContextGetColorSpace(context);
    const CGFloat x = rect.origin.x, y = rect.origin.y, h = rect.size.height;

    const CGFloat top[] = {0, 0, 0, opacity, 0, 0, 0, 0};
    Ref<CGGradient> topShadow = CGGradientCreateWithColorComponents(space, top, nullptr, 2);
    CGContextDrawLinearGradient(context, topShadow, CGPointMake(x, y), CGPointMake(x, y + height),
                                kCGGradientDrawsAfterEndLocation);

    // From the rectangle's height, not its bottom edge.
    const CGFloat bottom[] = {0, 0, 0, 0, 0, 0, 0, opacity};
    Ref<CGGradient> bottomShadow = CGGradientCreateWithColorComponents(space, bottom, nullptr, 2);
    CGContextDrawLinearGradient(context, bottomShadow, CGPointMake(x, h - height), CGPointMake(x, h),
                                kCGGradientDrawsAfterEndLocation);
}

void ExampleCell::backViewWillAppear() {
    const CGRect cell = frame();
    auto strip = UIView::withFrame<UIScrollView>(CGRectMake(0, 0, cell.size.width, cell.size.height));
    strip->setContentSize(CGSizeMake(2 * cell.size.width, cell.size.height));
    const CGFloat buttonHeight = backView()->frame().size.height - 2 * kButtonMargin;
    for (NSInteger n = 1; n <= kQuickColours; ++n) {
        Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
        button->setTag(n);
        button->setShowsTouchWhenHighlighted(true);
        button->addTarget(this, sel_registerName("buttonWasTapped:"), UIControlEventTouchUpInside);
        button->setFrame(
            CGRectMake(kButtonLeft + kButtonStep * CGFloat(n - 1), kButtonMargin, kButtonWidth, buttonHeight));
        button->setBackgroundColor(quickColour(n));
        button->layer()->setCornerRadius(kButtonCornerRadius);
        strip->addSubview(button);
    }
    backView()->addSubview(strip);
}

void ExampleCell::backViewDidDisappear() {
    Ref<NSArray> subviews = backView()->subviews();
    for (NSUInteger i = 0; i < subviews->count(); ++i) {
        if (auto* view = objc::cast<UIView>(subviews->objectAtIndex(i))) view->removeFromSuperview();
    }
}

void ExampleCell::buttonWasTapped(UIButton* button) {
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    NSString* address = reuseIdentifier();
    defaults->setInteger(button ? button->tag() : 0, address);
    defaults->synchronize();
    contentView()->setBackgroundColor(quickColour(defaults->integerForKey(address)));
}
