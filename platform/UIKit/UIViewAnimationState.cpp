#include "UIKit/UIViewAnimationState.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "QuartzCore/CABasicAnimation.h"
#include "QuartzCore/CALayer.h"
#include "objc/ClassBuilder.h"

Class UIViewAnimationState::class_() {
    static Class cls = objc::ClassBuilder<UIViewAnimationState>("UIViewAnimationState", NSObject::class_())
                           .method<&UIViewAnimationState::animationDidStop>("animationDidStop:finished:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIViewAnimationState::class_();

namespace {

// The view properties a block animates, as their layers name them.
bool animatable(const char* keyPath) {
    for (const char* key : {"position", "bounds", "transform", "opacity"}) {
        if (std::strcmp(keyPath, key) == 0) return true;
    }
    return false;
}

NSString* curveName(UIViewAnimationCurve curve) {
    switch (curve) {
        case UIViewAnimationCurveEaseIn: return kCAMediaTimingFunctionEaseIn;
        case UIViewAnimationCurveEaseOut: return kCAMediaTimingFunctionEaseOut;
        case UIViewAnimationCurveLinear: return kCAMediaTimingFunctionLinear;
        case UIViewAnimationCurveEaseInOut: break;
    }
    return kCAMediaTimingFunctionEaseInEaseOut;
}

}  // namespace

UIViewAnimationState::UIViewAnimationState() = default;
UIViewAnimationState::~UIViewAnimationState() = default;

std::vector<Ref<UIViewAnimationState>>& UIViewAnimationState::open() {
    static std::vector<Ref<UIViewAnimationState>> blocks;
    return blocks;
}

UIViewAnimationState* UIViewAnimationState::innermost() { return open().empty() ? nullptr : open().back().get(); }

void UIViewAnimationState::begin(NSString* animationID, void* context) {
    auto state = make<UIViewAnimationState>();
    state->animationID_ = animationID;
    state->context_ = context;
    if (open().empty()) {
        CALayer::setChangeListener([](CALayer* layer, const char* keyPath) {
            if (UIViewAnimationState* block = innermost()) block->noteChange(layer, keyPath);
        });
    }
    open().push_back(state);
}

void UIViewAnimationState::commit() {
    if (open().empty()) return;
    Ref<UIViewAnimationState> state = std::move(open().back());
    open().pop_back();
    if (open().empty()) CALayer::setChangeListener(nullptr);
    state->start();
}

void UIViewAnimationState::setDuration(double duration) {
    if (UIViewAnimationState* block = innermost())
        block->duration_ = std::isfinite(duration) && duration > 0 ? duration : 0;
}

void UIViewAnimationState::setDelay(double delay) {
    if (UIViewAnimationState* block = innermost()) block->delay_ = std::isfinite(delay) && delay > 0 ? delay : 0;
}

void UIViewAnimationState::setCurve(NSInteger curve) {
    if (UIViewAnimationState* block = innermost())
        block->curve_ = curve >= UIViewAnimationCurveEaseInOut && curve <= UIViewAnimationCurveLinear
                            ? static_cast<UIViewAnimationCurve>(curve)
                            : UIViewAnimationCurveEaseInOut;
}

void UIViewAnimationState::setDelegate(NSObject* delegate) {
    if (UIViewAnimationState* block = innermost()) block->delegate_ = delegate;
}

void UIViewAnimationState::setDidStopSelector(SEL selector) {
    if (UIViewAnimationState* block = innermost()) block->didStopSelector_ = selector;
}

void UIViewAnimationState::noteChange(CALayer* layer, const char* keyPath) {
    if (!animatable(keyPath)) return;
    bool noted = std::any_of(changes_.begin(), changes_.end(),
                             [&](const auto& c) { return c.first.get() == layer && c.second == keyPath; });
    if (!noted) changes_.emplace_back(layer, keyPath);
}

void UIViewAnimationState::start() {
    // The layers keep the animations, the animations keep this block until
    // they stop; the block keeps no layer.
    auto changes = std::move(changes_);
    changes_.clear();
    if (duration_ <= 0 || changes.empty()) {
        // Nothing moves, but the delegate still hears that the block ended.
        Ref<UIViewAnimationState> self(this);
        NSTimer::scheduledTimerWithTimeInterval(0, false, [self](NSTimer*) { self->tellDelegate(); });
        return;
    }
    Ref<CAMediaTimingFunction> curve = CAMediaTimingFunction::functionWithName(curveName(curve_));
    running_ = static_cast<int>(changes.size());
    for (const auto& [layer, keyPath] : changes) {
        Ref<NSString> key = NSString::from(keyPath);
        auto animation = CABasicAnimation::animationWithKeyPath(key);
        animation->setDuration(duration_);
        if (delay_ > 0) animation->setBeginTime(CACurrentMediaTime() + delay_);
        animation->setTimingFunction(curve);
        animation->setDelegate(this);
        layer->addAnimation(animation, key);
    }
}

void UIViewAnimationState::animationDidStop(CAAnimation*, bool finished) {
    allFinished_ = allFinished_ && finished;
    if (--running_ == 0) tellDelegate();
}

void UIViewAnimationState::tellDelegate() {
    if (!delegate_ || !didStopSelector_ || !delegate_->respondsToSelector(didStopSelector_)) return;
    // The selector takes as many of (name, finished, context) as it has
    // arguments.
    const char* name = sel_getName(didStopSelector_);
    const auto arguments = std::count(name, name + std::strlen(name), ':');
    Ref<NSNumber> finished = NSNumber::numberWithBool(allFinished_);
    id self = delegate_.get();
    switch (arguments) {
        case 0: objc::send<void>(self, didStopSelector_); break;
        case 1: objc::send<void, id>(self, didStopSelector_, animationID_.get()); break;
        case 2: objc::send<void, id, id>(self, didStopSelector_, animationID_.get(), finished.get()); break;
        default:
            objc::send<void, id, id, void*>(self, didStopSelector_, animationID_.get(), finished.get(), context_);
            break;
    }
}
