#include "CoreGraphics/CGPattern.h"

#include "objc/ClassBuilder.h"

Class CGPattern::class_() {
    static Class cls = objc::ClassBuilder<CGPattern>("CGPattern", NSObject::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CGPattern::class_();

CGPattern::CGPattern(void* info, CGRect bounds, CGAffineTransform matrix, CGFloat xStep, CGFloat yStep,
                     CGPatternTiling tiling, bool isColored, const CGPatternCallbacks* callbacks)
    : info_(info),
      bounds_(bounds),
      matrix_(matrix),
      xStep_(xStep),
      yStep_(yStep),
      tiling_(tiling),
      colored_(isColored) {
    if (callbacks) callbacks_ = *callbacks;
}

CGPattern::~CGPattern() {
    if (callbacks_.releaseInfo) callbacks_.releaseInfo(info_);
}

void CGPattern::drawCell(CGContext* context) const {
    if (callbacks_.drawPattern) callbacks_.drawPattern(info_, context);
}

Ref<CGPattern> CGPatternCreate(void* info, CGRect bounds, CGAffineTransform matrix, CGFloat xStep, CGFloat yStep,
                               CGPatternTiling tiling, bool isColored, const CGPatternCallbacks* callbacks) {
    return make<CGPattern>(info, bounds, matrix, xStep, yStep, tiling, isColored, callbacks);
}
