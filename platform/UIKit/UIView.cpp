#include "UIKit/UIView.h"

#include <algorithm>

#include "Foundation/NSArray.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIViewAnimationState.h"
#include "objc/ClassBuilder.h"

Class UIView::class_() {
    static Class cls = objc::ClassBuilder<UIView>("UIView", UIResponder::class_())
                           .method<&UIView::init>("init")
                           .method<&UIView::initWithFrame>("initWithFrame:")
                           .method<&UIView::layer>("layer")
                           .method<&UIView::frame>("frame")
                           .method<&UIView::setFrame>("setFrame:")
                           .method<&UIView::bounds>("bounds")
                           .method<&UIView::setBounds>("setBounds:")
                           .method<&UIView::center>("center")
                           .method<&UIView::setCenter>("setCenter:")
                           .method<&UIView::superview>("superview")
                           .method<&UIView::subviews>("subviews")
                           .method<&UIView::addSubview>("addSubview:")
                           .method<&UIView::insertSubview>("insertSubview:atIndex:")
                           .method<&UIView::removeFromSuperview>("removeFromSuperview")
                           .method<&UIView::bringSubviewToFront>("bringSubviewToFront:")
                           .method<&UIView::sendSubviewToBack>("sendSubviewToBack:")
                           .method<&UIView::viewWithTag>("viewWithTag:")
                           .method<&UIView::window>("window")
                           .method<&UIView::tag>("tag")
                           .method<&UIView::setTag>("setTag:")
                           .method<&UIView::alpha>("alpha")
                           .method<&UIView::setAlpha>("setAlpha:")
                           .method<&UIView::isHidden>("isHidden")
                           .method<&UIView::setHidden>("setHidden:")
                           .method<&UIView::backgroundColor>("backgroundColor")
                           .method<&UIView::setBackgroundColor>("setBackgroundColor:")
                           .method<&UIView::clipsToBounds>("clipsToBounds")
                           .method<&UIView::setClipsToBounds>("setClipsToBounds:")
                           .method<&UIView::autoresizingMask>("autoresizingMask")
                           .method<&UIView::setAutoresizingMask>("setAutoresizingMask:")
                           .method<&UIView::setNeedsDisplay>("setNeedsDisplay")
                           .method<&UIView::setNeedsLayout>("setNeedsLayout")
                           .method<&UIView::layoutIfNeeded>("layoutIfNeeded")
                           .method<&UIView::layoutSubviews>("layoutSubviews")
                           .method<&UIView::drawRect>("drawRect:")
                           .method<&UIView::sizeToFit>("sizeToFit")
                           .method<&UIView::sizeThatFits>("sizeThatFits:")
                           .classMethod<&UIView::beginAnimations>("beginAnimations:context:")
                           .classMethod<&UIView::commitAnimations>("commitAnimations")
                           .classMethod<&UIView::setAnimationDuration>("setAnimationDuration:")
                           .classMethod<&UIView::setAnimationDelay>("setAnimationDelay:")
                           .classMethod<&UIView::setAnimationCurve>("setAnimationCurve:")
                           .classMethod<&UIView::setAnimationDelegate>("setAnimationDelegate:")
                           .classMethod<&UIView::setAnimationDidStopSelector>("setAnimationDidStopSelector:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIView::class_();

UIView::UIView() : layer_(CALayer::layer()) {}

UIView::~UIView() {
    for (auto& view : subviews_) view->superview_ = nullptr;
}

UIView* UIView::init() { return initWithFrame(CGRectZero); }

UIView* UIView::initWithFrame(CGRect frame) {
    setFrame(frame);
    return this;
}

void UIView::setFrame(CGRect frame) {
    CGSize oldSize = bounds().size;
    layer_->setFrame(frame);
    sizeChanged(oldSize);
}

void UIView::setBounds(CGRect bounds) {
    CGSize oldSize = this->bounds().size;
    layer_->setBounds(bounds);
    sizeChanged(oldSize);
}

void UIView::sizeChanged(CGSize oldSize) {
    CGSize newSize = bounds().size;
    if (CGSizeEqualToSize(oldSize, newSize)) return;
    setNeedsLayout();
    if (!autoresizesSubviews_) return;
    const std::vector<Ref<UIView>> subviews = subviews_;
    for (const auto& view : subviews) view->resizeWithOldSuperviewSize(oldSize, newSize);
}

namespace {

// One axis of autoresizing: the superview's length changed by `delta`; the
// flexible parts among the leading margin, the length and the trailing margin
// share the change in proportion to their present sizes (equally when they
// are all zero).
void resizeAxis(CGFloat& origin, CGFloat& length, CGFloat oldSuperLength, CGFloat delta, bool flexibleLead,
                bool flexibleLength, bool flexibleTrail) {
    int flexibleParts = flexibleLead + flexibleLength + flexibleTrail;
    if (flexibleParts == 0 || delta == 0) return;
    CGFloat lead = origin, trail = oldSuperLength - origin - length;
    CGFloat total = (flexibleLead ? std::max<CGFloat>(lead, 0) : 0) + (flexibleLength ? length : 0) +
                    (flexibleTrail ? std::max<CGFloat>(trail, 0) : 0);
    auto share = [&](CGFloat part) { return total > 0 ? delta * std::max<CGFloat>(part, 0) / total : delta / flexibleParts; };
    if (flexibleLead) origin += share(lead);
    if (flexibleLength) length = std::max<CGFloat>(0, length + share(length));
}

}  // namespace

void UIView::resizeWithOldSuperviewSize(CGSize oldSize, CGSize newSize) {
    const UIViewAutoresizing m = autoresizingMask_;
    if (m == UIViewAutoresizingNone) return;
    CGRect f = frame();
    resizeAxis(f.origin.x, f.size.width, oldSize.width, newSize.width - oldSize.width,
               m & UIViewAutoresizingFlexibleLeftMargin, m & UIViewAutoresizingFlexibleWidth,
               m & UIViewAutoresizingFlexibleRightMargin);
    resizeAxis(f.origin.y, f.size.height, oldSize.height, newSize.height - oldSize.height,
               m & UIViewAutoresizingFlexibleTopMargin, m & UIViewAutoresizingFlexibleHeight,
               m & UIViewAutoresizingFlexibleBottomMargin);
    setFrame(f);
}

Ref<NSArray> UIView::subviews() const { return make<NSArray>(std::vector<Ref<NSObject>>(subviews_.begin(), subviews_.end())); }

std::vector<Ref<UIView>>::iterator UIView::findSubview(const UIView* view) {
    return std::find_if(subviews_.begin(), subviews_.end(), [view](const Ref<UIView>& v) { return v.get() == view; });
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* v = this; v; v = v->superview_) {
        if (v == view) return true;
    }
    return false;
}

void UIView::addSubview(UIView* view) { insertSubview(view, static_cast<NSInteger>(subviews_.size())); }

void UIView::insertSubview(UIView* view, NSInteger index) {
    if (!view) return;
    if (isDescendantOfView(view)) {
        NSLog("UIView: refused to add a view as a subview of itself or of its own subview");
        return;
    }
    Ref<UIView> keep(view);
    view->detachFromSuperview(this);
    index = std::clamp<NSInteger>(index, 0, static_cast<NSInteger>(subviews_.size()));
    subviews_.insert(subviews_.begin() + index, std::move(keep));
    view->superview_ = this;
}

void UIView::removeFromSuperview() { detachFromSuperview(nullptr); }

void UIView::detachFromSuperview(const UIView* nextSuperview) {
    if (!superview_) return;
    // The superview's reference may be the last one.
    Ref<UIView> keep(this);
    // The windows are looked up only with an editing view inside: views move
    // far more often than they carry the first responder.
    auto* editing = objc::cast<UIView>(UIResponder::firstResponder());
    if (editing && editing->isDescendantOfView(this)) {
        const UIView* oldWindow = window();
        if (oldWindow && oldWindow != (nextSuperview ? nextSuperview->window() : nullptr))
            editing->resignFirstResponder();
    }
    // The end-of-editing actions may have moved this view already.
    UIView* parent = superview_;
    if (!parent) return;
    auto it = parent->findSubview(this);
    if (it != parent->subviews_.end()) parent->subviews_.erase(it);
    superview_ = nullptr;
}

void UIView::bringSubviewToFront(UIView* view) {
    if (view && view->superview_ == this) addSubview(view);
}

void UIView::sendSubviewToBack(UIView* view) {
    if (view && view->superview_ == this) insertSubview(view, 0);
}

UIView* UIView::viewWithTag(NSInteger tag) {
    if (tag_ == tag) return this;
    for (const auto& view : subviews_) {
        if (UIView* found = view->viewWithTag(tag)) return found;
    }
    return nullptr;
}

UIView* UIView::window() const {
    const UIView* top = this;
    while (top->superview_) top = top->superview_;
    // The window class belongs to the host; it is known here by name only.
    return top->isKindOfClass(objc_getClass("UIWindow")) ? const_cast<UIView*>(top) : nullptr;
}

void UIView::setBackgroundColor(UIColor* color) {
    backgroundColor_ = color;
    layer_->setBackgroundColor(color ? color->CGColor() : nullptr);
}

void UIView::beginAnimations(NSString* animationID, void* context) {
    UIViewAnimationState::begin(animationID, context);
}
void UIView::commitAnimations() { UIViewAnimationState::commit(); }
void UIView::setAnimationDuration(double duration) { UIViewAnimationState::setDuration(duration); }
void UIView::setAnimationDelay(double delay) { UIViewAnimationState::setDelay(delay); }
void UIView::setAnimationCurve(NSInteger curve) { UIViewAnimationState::setCurve(curve); }
void UIView::setAnimationDelegate(NSObject* delegate) { UIViewAnimationState::setDelegate(delegate); }
void UIView::setAnimationDidStopSelector(SEL selector) { UIViewAnimationState::setDidStopSelector(selector); }

void UIView::drawRect(CGRect) {}

void UIView::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    const std::vector<Ref<UIView>> subviews = subviews_;
    for (const auto& view : subviews) view->layoutIfNeeded();
}

void UIView::layoutSubviews() {}

CGSize UIView::sizeThatFits(CGSize) const { return bounds().size; }

void UIView::sizeToFit() {
    CGRect f = frame();
    f.size = sizeThatFits(bounds().size);
    setFrame(f);
}

CGAffineTransform UIView::transformToRoot() const {
    CGAffineTransform t = CGAffineTransformIdentity;
    for (const UIView* v = this; v->superview_; v = v->superview_) {
        t = CGAffineTransformConcat(t, v->layer_->transformToSuperlayer());
    }
    return t;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    CGPoint p = CGPointApplyAffineTransform(point, transformToRoot());
    return view ? CGPointApplyAffineTransform(p, CGAffineTransformInvert(view->transformToRoot())) : p;
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    if (view) return view->convertPointToView(point, this);
    return CGPointApplyAffineTransform(point, CGAffineTransformInvert(transformToRoot()));
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const {
    CGAffineTransform t = transformToRoot();
    if (view) t = CGAffineTransformConcat(t, CGAffineTransformInvert(view->transformToRoot()));
    return CGRectApplyAffineTransform(rect, t);
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const {
    if (view) return view->convertRectToView(rect, this);
    return CGRectApplyAffineTransform(rect, CGAffineTransformInvert(transformToRoot()));
}

UIView* UIView::hitTest(CGPoint point, UIEvent* event) {
    if (isHidden() || !userInteractionEnabled_ || alpha() < 0.01f || !pointInside(point, event)) return nullptr;
    const std::vector<Ref<UIView>> subviews = subviews_;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        CGAffineTransform toChild = CGAffineTransformInvert((*it)->layer_->transformToSuperlayer());
        if (UIView* hit = (*it)->hitTest(CGPointApplyAffineTransform(point, toChild), event)) return hit;
    }
    return this;
}

bool UIView::pointInside(CGPoint point, UIEvent*) const { return CGRectContainsPoint(bounds(), point); }
