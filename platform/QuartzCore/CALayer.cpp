#include "QuartzCore/CALayer.h"

#include <cmath>

#include "objc/ClassBuilder.h"

Class CALayer::class_() {
    static Class cls = objc::ClassBuilder<CALayer>("CALayer", NSObject::class_())
                           .method<&CALayer::position>("position")
                           .method<&CALayer::setPosition>("setPosition:")
                           .method<&CALayer::anchorPoint>("anchorPoint")
                           .method<&CALayer::setAnchorPoint>("setAnchorPoint:")
                           .method<&CALayer::bounds>("bounds")
                           .method<&CALayer::setBounds>("setBounds:")
                           .method<&CALayer::frame>("frame")
                           .method<&CALayer::setFrame>("setFrame:")
                           .method<&CALayer::opacity>("opacity")
                           .method<&CALayer::setOpacity>("setOpacity:")
                           .method<&CALayer::isHidden>("isHidden")
                           .method<&CALayer::setHidden>("setHidden:")
                           .method<&CALayer::cornerRadius>("cornerRadius")
                           .method<&CALayer::setCornerRadius>("setCornerRadius:")
                           .method<&CALayer::masksToBounds>("masksToBounds")
                           .method<&CALayer::setMasksToBounds>("setMasksToBounds:")
                           .classMethod<&CALayer::layer>("layer")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CALayer::class_();

Ref<CALayer> CALayer::layer() { return make<CALayer>(); }

CGAffineTransform CALayer::transformToSuperlayer() const {
    const Values& v = model_;
    CGAffineTransform t = CGAffineTransformMakeTranslation(-v.bounds.origin.x - v.anchorPoint.x * v.bounds.size.width,
                                                           -v.bounds.origin.y - v.anchorPoint.y * v.bounds.size.height);
    t = CGAffineTransformConcat(t, v.transform);
    return CGAffineTransformConcat(t, CGAffineTransformMakeTranslation(v.position.x, v.position.y));
}

CGRect CALayer::frame() const { return CGRectApplyAffineTransform(model_.bounds, transformToSuperlayer()); }

void CALayer::setFrame(CGRect frame) {
    frame = CGRectStandardize(frame);
    Values& v = model_;
    const CGAffineTransform& t = v.transform;
    if (t.b == 0 && t.c == 0 && t.a != 0 && t.d != 0) {
        v.bounds.size = CGSizeMake(frame.size.width / std::fabs(t.a), frame.size.height / std::fabs(t.d));
    }
    // Put the centre of the bounds, carried through the transform, on the
    // centre of the frame.
    CGPoint centreFromAnchor = CGPointApplyAffineTransform(
        CGPointMake((0.5f - v.anchorPoint.x) * v.bounds.size.width, (0.5f - v.anchorPoint.y) * v.bounds.size.height), t);
    v.position = CGPointMake(CGRectGetMidX(frame) - centreFromAnchor.x, CGRectGetMidY(frame) - centreFromAnchor.y);
}

Ref<CALayer> CALayer::presentationLayer() const {
    auto shown = make<CALayer>();
    shown->model_ = model_;
    return shown;
}
