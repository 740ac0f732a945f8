#include "CoreGraphics/NSValue.h"

#include <cstdio>
#include <functional>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSValue::class_() {
    static Class cls = objc::ClassBuilder<NSValue>("NSValue", NSObject::class_())
                           .method<&NSValue::description>("description")
                           .classMethod<&NSValue::valueWithCGPoint>("valueWithCGPoint:")
                           .classMethod<&NSValue::valueWithCGSize>("valueWithCGSize:")
                           .classMethod<&NSValue::valueWithCGRect>("valueWithCGRect:")
                           .method<&NSValue::CGPointValue>("CGPointValue")
                           .method<&NSValue::CGSizeValue>("CGSizeValue")
                           .method<&NSValue::CGRectValue>("CGRectValue")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSValue::class_();

Ref<NSValue> NSValue::valueWithCGPoint(CGPoint p) { return make<NSValue>(Kind::Point, std::array<CGFloat, 6>{p.x, p.y}); }

Ref<NSValue> NSValue::valueWithCGSize(CGSize s) {
    return make<NSValue>(Kind::Size, std::array<CGFloat, 6>{s.width, s.height});
}

Ref<NSValue> NSValue::valueWithCGRect(CGRect r) {
    return make<NSValue>(Kind::Rect, std::array<CGFloat, 6>{r.origin.x, r.origin.y, r.size.width, r.size.height});
}

Ref<NSValue> NSValue::valueWithCGAffineTransform(CGAffineTransform t) {
    return make<NSValue>(Kind::AffineTransform, std::array<CGFloat, 6>{t.a, t.b, t.c, t.d, t.tx, t.ty});
}

CGPoint NSValue::CGPointValue() const {
    return kind_ == Kind::Point ? CGPointMake(fields_[0], fields_[1]) : CGPointZero;
}

CGSize NSValue::CGSizeValue() const { return kind_ == Kind::Size ? CGSizeMake(fields_[0], fields_[1]) : CGSizeZero; }

CGRect NSValue::CGRectValue() const {
    return kind_ == Kind::Rect ? CGRectMake(fields_[0], fields_[1], fields_[2], fields_[3]) : CGRectZero;
}

CGAffineTransform NSValue::CGAffineTransformValue() const {
    if (kind_ != Kind::AffineTransform) return CGAffineTransform{0, 0, 0, 0, 0, 0};
    return CGAffineTransformMake(fields_[0], fields_[1], fields_[2], fields_[3], fields_[4], fields_[5]);
}

Ref<NSString> NSValue::description() const {
    char text[160];
    const auto& f = fields_;
    switch (kind_) {
        case Kind::Point: std::snprintf(text, sizeof text, "NSPoint: {%g, %g}", f[0], f[1]); break;
        case Kind::Size: std::snprintf(text, sizeof text, "NSSize: {%g, %g}", f[0], f[1]); break;
        case Kind::Rect:
            std::snprintf(text, sizeof text, "NSRect: {{%g, %g}, {%g, %g}}", f[0], f[1], f[2], f[3]);
            break;
        case Kind::AffineTransform:
            std::snprintf(text, sizeof text, "CGAffineTransform: {{%g, %g, %g, %g}, {%g, %g}}", f[0], f[1], f[2], f[3],
                          f[4], f[5]);
            break;
    }
    return NSString::from(text);
}

bool NSValue::isEqual(const NSObject* other) const {
    auto* value = dynamic_cast<const NSValue*>(other);
    return value && value->kind_ == kind_ && value->fields_ == fields_;
}

std::size_t NSValue::hash() const {
    std::size_t h = static_cast<std::size_t>(kind_);
    for (CGFloat f : fields_) h = h * 31 + std::hash<CGFloat>{}(f);
    return h;
}
