// A colour: its colour space and its components, the space's colour
// components followed by alpha.
#pragma once

#include <cstddef>
#include <vector>

#include "CoreGraphics/CGBase.h"
#include "CoreGraphics/CGColorSpace.h"
#include "CoreGraphics/CGPattern.h"
#include "objc/NSObject.h"

class NSString;

class CGColor : public NSObject {
    KORVEL_OBJC_CLASS(CGColor)
public:
    CGColor(Ref<CGColorSpace> space, std::vector<CGFloat> components, Ref<CGPattern> pattern = nullptr);

    CGColorSpace* colorSpace() const { return space_; }
    CGPattern* pattern() const { return pattern_; }
    const std::vector<CGFloat>& components() const { return components_; }

    Ref<NSString> description() const;
    // Same space, components and pattern.
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    Ref<CGColorSpace> space_;
    std::vector<CGFloat> components_;
    Ref<CGPattern> pattern_;
};

typedef CGColor* CGColorRef;

// `components` holds the space's components and then alpha. nil for a nil
// space, a nil component list, or a pattern space (whose colours need a
// pattern).
Ref<CGColor> CGColorCreate(CGColorSpaceRef space, const CGFloat* components);
// A colour that paints `pattern`. `space` is a pattern space: without a base
// for a coloured pattern (`components` is then only alpha), with one for an
// uncoloured pattern (the base's components, then alpha). nil otherwise.
Ref<CGColor> CGColorCreateWithPattern(CGColorSpaceRef space, CGPatternRef pattern, const CGFloat* components);

// A nil colour has no space, no components and alpha 0.
CGColorSpaceRef CGColorGetColorSpace(CGColorRef color);
const CGFloat* CGColorGetComponents(CGColorRef color);
std::size_t CGColorGetNumberOfComponents(CGColorRef color);
CGFloat CGColorGetAlpha(CGColorRef color);
CGPatternRef CGColorGetPattern(CGColorRef color);
bool CGColorEqualToColor(CGColorRef a, CGColorRef b);
