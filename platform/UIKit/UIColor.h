// The platform colour: a thin object over a CGColor, with the named colours
// the phone offers and the RGB, white and HSB constructors.
#pragma once

#include "CoreGraphics/CGColor.h"
#include "objc/NSObject.h"

class NSString;

class UIColor : public NSObject {
    KORVEL_OBJC_CLASS(UIColor)
public:
    // An empty colour ([[UIColor alloc] init]): no CGColor, every component
    // reads as 0.
    UIColor() = default;
    explicit UIColor(Ref<::CGColor> color);

    // An RGB colour.
    static Ref<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    // A monochrome colour.
    static Ref<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
    // An RGB colour from hue (wrapping around at 1), saturation and
    // brightness; neither saturation nor brightness is clamped, so a
    // brightness above 1 gives components above 1.
    static Ref<UIColor> colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);
    // nil for a nil colour.
    static Ref<UIColor> colorWithCGColor(CGColorRef color);

    static Ref<UIColor> blackColor();
    static Ref<UIColor> darkGrayColor();
    static Ref<UIColor> lightGrayColor();
    static Ref<UIColor> whiteColor();
    static Ref<UIColor> grayColor();
    static Ref<UIColor> redColor();
    static Ref<UIColor> greenColor();
    static Ref<UIColor> blueColor();
    static Ref<UIColor> cyanColor();
    static Ref<UIColor> yellowColor();
    static Ref<UIColor> magentaColor();
    static Ref<UIColor> orangeColor();
    static Ref<UIColor> purpleColor();
    static Ref<UIColor> brownColor();
    static Ref<UIColor> clearColor();
    static Ref<UIColor> darkTextColor();

    CGColorRef CGColor() const { return color_; }

    // Red, green, blue and alpha of an RGB or monochrome colour (a monochrome
    // colour gives its white for all three); each place may be nullptr. False,
    // writing nothing, for any other colour space.
    bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;

    // Makes this the fill and stroke colour of the current drawing context
    // (UIGraphicsGetCurrentContext); nothing without one.
    void set() const;

    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    Ref<::CGColor> color_;
};
