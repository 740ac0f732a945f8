#include "CoreGraphics/CGColorSpace.h"

#include <cstdio>
#include <functional>
#include <string>

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class CGColorSpace::class_() {
    static Class cls = objc::ClassBuilder<CGColorSpace>("CGColorSpace", NSObject::class_())
                           .method<&CGColorSpace::description>("description")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGColorSpace::class_();

CGColorSpace::CGColorSpace(CGColorSpaceModel model, std::size_t components, Ref<CGColorSpace> base,
                           std::vector<CGFloat> parameters, std::vector<unsigned char> table)
    : model_(model),
      components_(components),
      base_(std::move(base)),
      parameters_(std::move(parameters)),
      table_(std::move(table)) {}

Ref<NSString> CGColorSpace::description() const {
    const char* name = "kCGColorSpaceUnknown";
    switch (model_) {
        case kCGColorSpaceModelMonochrome: name = "kCGColorSpaceDeviceGray"; break;
        case kCGColorSpaceModelRGB: name = "kCGColorSpaceDeviceRGB"; break;
        case kCGColorSpaceModelCMYK: name = "kCGColorSpaceDeviceCMYK"; break;
        case kCGColorSpaceModelLab: name = "kCGColorSpaceLab"; break;
        case kCGColorSpaceModelDeviceN: name = "kCGColorSpaceDeviceN"; break;
        case kCGColorSpaceModelIndexed: name = "kCGColorSpaceIndexed"; break;
        case kCGColorSpaceModelPattern: name = "kCGColorSpacePattern"; break;
        case kCGColorSpaceModelUnknown: break;
    }
    char head[64];
    std::snprintf(head, sizeof head, "<CGColorSpace %p> (", static_cast<const void*>(this));
    std::string text = std::string(head) + name;
    if (base_) text += "; base " + base_->description()->str();
    return NSString::from(text + ")");
}

bool CGColorSpace::isEqual(const NSObject* other) const {
    auto* o = dynamic_cast<const CGColorSpace*>(other);
    if (!o) return false;
    if (o == this) return true;
    bool sameBase = base_ ? base_->isEqual(o->base_) : !o->base_;
    return model_ == o->model_ && components_ == o->components_ && sameBase &&
           parameters_ == o->parameters_ && table_ == o->table_;
}

std::size_t CGColorSpace::hash() const { return std::hash<int>{}(model_) ^ (components_ << 4); }

Ref<CGColorSpace> CGColorSpaceCreateDeviceRGB() { return make<CGColorSpace>(kCGColorSpaceModelRGB, 3); }

Ref<CGColorSpace> CGColorSpaceCreateDeviceGray() { return make<CGColorSpace>(kCGColorSpaceModelMonochrome, 1); }

Ref<CGColorSpace> CGColorSpaceCreateDeviceCMYK() { return make<CGColorSpace>(kCGColorSpaceModelCMYK, 4); }

Ref<CGColorSpace> CGColorSpaceCreateLab(const CGFloat whitePoint[3], const CGFloat blackPoint[3],
                                        const CGFloat range[4]) {
    if (!whitePoint || !(whitePoint[0] > 0) || whitePoint[1] != 1 || !(whitePoint[2] > 0)) return nullptr;
    std::vector<CGFloat> parameters(whitePoint, whitePoint + 3);
    if (blackPoint) parameters.insert(parameters.end(), blackPoint, blackPoint + 3);
    else parameters.insert(parameters.end(), {0, 0, 0});
    if (range) parameters.insert(parameters.end(), range, range + 4);
    else parameters.insert(parameters.end(), {-100, 100, -100, 100});
    return make<CGColorSpace>(kCGColorSpaceModelLab, 3, nullptr, std::move(parameters));
}

Ref<CGColorSpace> CGColorSpaceCreateIndexed(CGColorSpaceRef baseSpace, std::size_t lastIndex,
                                            const unsigned char* colorTable) {
    if (!baseSpace || !colorTable || lastIndex > 255) return nullptr;
    CGColorSpaceModel base = baseSpace->model();
    if (base == kCGColorSpaceModelPattern || base == kCGColorSpaceModelIndexed) return nullptr;
    std::vector<unsigned char> table(colorTable, colorTable + (lastIndex + 1) * baseSpace->numberOfComponents());
    return make<CGColorSpace>(kCGColorSpaceModelIndexed, 1, baseSpace, std::vector<CGFloat>{}, std::move(table));
}

Ref<CGColorSpace> CGColorSpaceCreatePattern(CGColorSpaceRef baseSpace) {
    if (baseSpace && baseSpace->model() == kCGColorSpaceModelPattern) return nullptr;
    // An uncoloured pattern takes its colour from the base space; a coloured
    // one has no colour components of its own.
    return make<CGColorSpace>(kCGColorSpaceModelPattern, baseSpace ? baseSpace->numberOfComponents() : 0,
                              baseSpace);
}

CGColorSpaceModel CGColorSpaceGetModel(CGColorSpaceRef space) {
    return space ? space->model() : kCGColorSpaceModelUnknown;
}

std::size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space) {
    return space ? space->numberOfComponents() : 0;
}

CGColorSpaceRef CGColorSpaceGetBaseColorSpace(CGColorSpaceRef space) {
    return space ? space->baseColorSpace() : nullptr;
}
