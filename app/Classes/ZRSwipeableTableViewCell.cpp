#include "Classes/ZRSwipeableTableViewCell.h"

#include <cstdio>

#include "Classes/ZRSwipeableTableViewCellBackView.h"
#include "Classes/ZRSwipeableTableViewCellView.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "QuartzCore/CAAnimationGroup.h"
#include "QuartzCore/CABasicAnimation.h"
#include "UIKit/UIColor.h"
#include "objc/ClassBuilder.h"

Class ZRSwipeableTableViewCell::class_() {
    using C = ZRSwipeableTableViewCell;
    static Class cls = objc::ClassBuilder<C>("ZRSwipeableTableViewCell", UITableViewCell::class_())
                           .method<&C::description>("description")
                           .method<&C::backView>("backView")
                           .method<&C::contentViewMoving>("contentViewMoving")
                           .method<&C::setContentViewMoving>("setContentViewMoving:")
                           .method<&C::shouldSupportSwiping>("shouldSupportSwiping")
                           .method<&C::setShouldSupportSwiping>("setShouldSupportSwiping:")
                           .method<&C::shouldBounce>("shouldBounce")
                           .method<&C::setShouldBounce>("setShouldBounce:")
                           .method<&C::revealBackView>("revealBackView")
                           .method<&C::hideBackView>("hideBackView")
                           .method<&C::bounceAnimationWithHideDuration>("bounceAnimationWithHideDuration:initialXOrigin:")
                           .method<&C::resetViews>("resetViews")
                           .method<&C::animationDidStop>("animationDidStop:finished:")
                           .method<&C::drawContentView>("drawContentView:")
                           .method<&C::drawBackView>("drawBackView:")
                           .method<&C::backViewWillAppear>("backViewWillAppear")
                           .method<&C::backViewDidAppear>("backViewDidAppear")
                           .method<&C::backViewWillDisappear>("backViewWillDisappear")
                           .method<&C::backViewDidDisappear>("backViewDidDisappear")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ZRSwipeableTableViewCell::class_();

namespace {

const CGPoint kLeftEdgeAnchor = {0, 0.5f};

Ref<CABasicAnimation> slide(float from, float to, float begin, float duration) {
    auto animation = CABasicAnimation::animationWithKeyPath("position.x"_ns);
    animation->setFromValue(NSNumber::numberWithFloat(from));
    animation->setToValue(NSNumber::numberWithFloat(to));
    animation->setBeginTime(begin);
    animation->setDuration(duration);
    animation->setTimingFunction(CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionLinear));
    return animation;
}

}  // namespace

ZRSwipeableTableViewCell::ZRSwipeableTableViewCell() = default;
ZRSwipeableTableViewCell::~ZRSwipeableTableViewCell() = default;

UITableViewCell* ZRSwipeableTableViewCell::initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    if (!UITableViewCell::initWithStyle(style, reuseIdentifier)) return nullptr;
    setBackgroundColor(UIColor::clearColor());

    auto front = UIView::withFrame<ZRSwipeableTableViewCellView>(CGRectZero);
    front->setClipsToBounds(true);
    front->setOpaque(true);
    front->setBackgroundColor(UIColor::clearColor());

    auto back = UIView::withFrame<ZRSwipeableTableViewCellBackView>(CGRectZero);
    back->setOpaque(true);
    back->setClipsToBounds(true);
    back->setHidden(true);
    back->setBackgroundColor(UIColor::clearColor());

    // On the row itself, not on the platform content view; the front on top.
    addSubview(back);
    addSubview(front);
    backView_ = back;
    contentView_ = front;

    setContentViewMoving(false);
    setSelected(false);
    setShouldSupportSwiping(true);
    setShouldBounce(true);
    hideBackView();
    return this;
}

UIView* ZRSwipeableTableViewCell::backView() const { return backView_; }

void ZRSwipeableTableViewCell::prepareForReuse() {
    resetViews();
    UITableViewCell::prepareForReuse();
}

void ZRSwipeableTableViewCell::setFrame(CGRect frame) {
    UITableViewCell::setFrame(frame);
    CGRect face = bounds();
    face.size.height -= 1;
    if (backView_) backView_->setFrame(face);
    if (contentView_) contentView_->setFrame(face);
}

void ZRSwipeableTableViewCell::setNeedsDisplay() {
    UITableViewCell::setNeedsDisplay();
    if (contentView_) contentView_->setNeedsDisplay();
    if (backView_) backView_->setNeedsDisplay();
}

void ZRSwipeableTableViewCell::setAccessoryType(NSInteger) {}

void ZRSwipeableTableViewCell::setAccessoryView(UIView*) {}

void ZRSwipeableTableViewCell::setSelected(bool selected) {
    selected_ = selected;
    setNeedsDisplay();
}

void ZRSwipeableTableViewCell::revealBackView() {
    if (contentViewMoving_ || !backView_ || !backView_->isHidden()) return;
    setContentViewMoving(true);

    backView_->layer()->setHidden(false);
    backView_->setNeedsDisplay();

    CALayer* front = contentView_->layer();
    front->setAnchorPoint(kLeftEdgeAnchor);
    front->setPosition(CGPointMake(contentView_->frame().size.width, front->position().y));

    // Without from and to values: from what was shown to the new place.
    auto reveal = CABasicAnimation::animationWithKeyPath("position.x"_ns);
    reveal->setRemovedOnCompletion(false);
    reveal->setDelegate(this);
    reveal->setDuration(kRevealDuration);
    reveal->setTimingFunction(CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionLinear));
    front->addAnimation(reveal, "reveal"_ns);

    backViewWillAppear();
}

void ZRSwipeableTableViewCell::hideBackView() {
    if (contentViewMoving_ || !backView_ || backView_->isHidden()) return;
    setContentViewMoving(true);

    CALayer* back = backView_->layer();
    back->setOpacity(0);
    auto fade = CABasicAnimation::animationWithKeyPath("opacity"_ns);
    fade->setFromValue(NSNumber::numberWithFloat(1));
    fade->setToValue(NSNumber::numberWithFloat(0));
    fade->setDuration(kHideDuration);
    fade->setRemovedOnCompletion(false);
    fade->setDelegate(this);
    back->addAnimation(fade, "hide"_ns);

    CALayer* front = contentView_->layer();
    const float x0 = front->position().x;
    front->setAnchorPoint(kLeftEdgeAnchor);
    front->setPosition(CGPointMake(0, front->position().y));
    front->addAnimation(bounceAnimationWithHideDuration(kHideDuration, x0), "bounce"_ns);

    backViewWillDisappear();
}

Ref<CAAnimationGroup> ZRSwipeableTableViewCell::bounceAnimationWithHideDuration(float hideDuration,
                                                                              float initialXOrigin) {
    const float d = hideDuration;
    std::vector<Ref<NSObject>> members{slide(initialXOrigin, 0, 0, d)};
    if (shouldBounce_) {
        members.push_back(slide(0, kOvershoot, d, kBounceStep));
        members.push_back(slide(kOvershoot, kSwing, d + kBounceStep, kBounceStep));
        members.push_back(slide(kSwing, 0, d + 2 * kBounceStep, kBounceStep));
    }
    auto group = CAAnimationGroup::animation();
    group->setAnimations(make<NSArray>(std::move(members)));
    group->setDuration(shouldBounce_ ? d + 3 * kBounceStep : d);
    group->setTimingFunction(CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionLinear));
    group->setDelegate(this);
    group->setRemovedOnCompletion(false);
    return group;
}

void ZRSwipeableTableViewCell::resetViews() {
    if (!contentView_ || !backView_) return;
    CALayer* front = contentView_->layer();
    CALayer* back = backView_->layer();
    front->removeAllAnimations();
    back->removeAllAnimations();
    setContentViewMoving(false);
    front->setAnchorPoint(kLeftEdgeAnchor);
    front->setPosition(CGPointMake(0, front->position().y));
    back->setHidden(true);
    back->setOpacity(1);
    backViewDidDisappear();
}

void ZRSwipeableTableViewCell::animationDidStop(CAAnimation* animation, bool) {
    if (!animation || !contentView_ || !backView_) return;
    Ref<ZRSwipeableTableViewCell> keep(this);
    CALayer* front = contentView_->layer();
    CALayer* back = backView_->layer();
    if (animation == front->animationForKey("reveal"_ns)) {
        front->removeAnimationForKey("reveal"_ns);
        backViewDidAppear();
        setSelected(false);
        setContentViewMoving(false);
    }
    if (animation == front->animationForKey("bounce"_ns)) {
        front->removeAnimationForKey("bounce"_ns);
        resetViews();
    }
    if (animation == back->animationForKey("hide"_ns)) back->removeAnimationForKey("hide"_ns);
}

void ZRSwipeableTableViewCell::drawContentView(CGRect) {}
void ZRSwipeableTableViewCell::drawBackView(CGRect) {}
void ZRSwipeableTableViewCell::backViewWillAppear() {}
void ZRSwipeableTableViewCell::backViewDidAppear() {}
void ZRSwipeableTableViewCell::backViewWillDisappear() {}
void ZRSwipeableTableViewCell::backViewDidDisappear() {}

Ref<NSString> ZRSwipeableTableViewCell::description() const {
    char text[96];
    std::snprintf(text, sizeof text, "<ZRSwipeableTableViewCell %p '%s'>", static_cast<const void*>(this),
                  backView_ && !backView_->isHidden() ? "BackView visible" : "ContentView visible");
    return NSString::from(text);
}
