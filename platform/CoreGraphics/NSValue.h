// A boxed geometry value: a point, a size, a rectangle or an affine
// transform, so that such values can travel as objects (an animation's from
// and to values, for one). Asking for another kind than the one boxed
// answers zero. It lives with CoreGraphics because what it boxes is
// CoreGraphics's geometry; on the phone that boxing is an addition made above
// Foundation too.
#pragma once

#include <array>

#include "CoreGraphics/CGAffineTransform.h"
#include "objc/NSObject.h"

class NSString;

class NSValue : public NSObject {
    KORVEL_OBJC_CLASS(NSValue)
public:
    enum class Kind { Point, Size, Rect, AffineTransform };

    NSValue() = default;
    NSValue(Kind kind, std::array<CGFloat, 6> fields) : kind_(kind), fields_(fields) {}

    static Ref<NSValue> valueWithCGPoint(CGPoint point);
    static Ref<NSValue> valueWithCGSize(CGSize size);
    static Ref<NSValue> valueWithCGRect(CGRect rect);
    static Ref<NSValue> valueWithCGAffineTransform(CGAffineTransform transform);

    Kind kind() const { return kind_; }
    CGPoint CGPointValue() const;
    CGSize CGSizeValue() const;
    CGRect CGRectValue() const;
    CGAffineTransform CGAffineTransformValue() const;

    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    Kind kind_ = Kind::Point;
    std::array<CGFloat, 6> fields_{};
};
