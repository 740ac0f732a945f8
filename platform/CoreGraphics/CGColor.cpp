#include "CoreGraphics/CGColor.h"

#include <cstdio>
#include <functional>
#include <string>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class CGColor::class_() {
    static Class cls = objc::ClassBuilder<CGColor>("CGColor", NSObject::class_())
                           .method<&CGColor::description>("description")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGColor::class_();

CGColor::CGColor(Ref<CGColorSpace> space, std::vector<CGFloat> components, Ref<CGPattern> pattern)
    : space_(std::move(space)), components_(std::move(components)), pattern_(std::move(pattern)) {}

Ref<NSString> CGColor::description() const {
    char head[64];
    std::snprintf(head, sizeof head, "<CGColor %p> [", static_cast<const void*>(this));
    std::string text = head + (space_ ? space_->description()->str() : std::string("(null)")) + "] (";
    for (CGFloat c : components_) {
        char number[32];
        std::snprintf(number, sizeof number, " %g", static_cast<double>(c));
        text += number;
    }
    return NSString::from(text + " )");
}

bool CGColor::isEqual(const NSObject* other) const {
    auto* o = dynamic_cast<const CGColor*>(other);
    if (!o) return false;
    if (o == this) return true;
    bool sameSpace = space_ ? space_->isEqual(o->space_) : !o->space_;
    return sameSpace && components_ == o->components_ && pattern_ == o->pattern_;
}

std::size_t CGColor::hash() const {
    std::size_t h = space_ ? space_->hash() : 0;
    for (CGFloat c : components_) h = h * 31 + std::hash<CGFloat>{}(c);
    return h;
}

Ref<CGColor> CGColorCreate(CGColorSpaceRef space, const CGFloat* components) {
    if (!space || !components || space->model() == kCGColorSpaceModelPattern) return nullptr;
    return make<CGColor>(space, std::vector<CGFloat>(components, components + space->numberOfComponents() + 1));
}

Ref<CGColor> CGColorCreateWithPattern(CGColorSpaceRef space, CGPatternRef pattern, const CGFloat* components) {
    if (!space || !pattern || !components || space->model() != kCGColorSpaceModelPattern) return nullptr;
    if (pattern->isColored() != (space->baseColorSpace() == nullptr)) return nullptr;
    return make<CGColor>(space, std::vector<CGFloat>(components, components + space->numberOfComponents() + 1),
                         pattern);
}

CGColorSpaceRef CGColorGetColorSpace(CGColorRef color) { return color ? color->colorSpace() : nullptr; }

const CGFloat* CGColorGetComponents(CGColorRef color) {
    return color && !color->components().empty() ? color->components().data() : nullptr;
}

std::size_t CGColorGetNumberOfComponents(CGColorRef color) { return color ? color->components().size() : 0; }

CGFloat CGColorGetAlpha(CGColorRef color) {
    return color && !color->components().empty() ? color->components().back() : 0;
}

CGPatternRef CGColorGetPattern(CGColorRef color) { return color ? color->pattern() : nullptr; }

bool CGColorEqualToColor(CGColorRef a, CGColorRef b) { return a == b || (a && a->isEqual(b)); }
