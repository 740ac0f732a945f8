#include "UIKit/UISlider.h"

#include <algorithm>
#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSSet.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UITouch.h"
#include "UIKit/ViewRenderer.h"
#include "objc/ClassBuilder.h"

Class UISlider::class_() {
    using S = UISlider;
    static Class cls = objc::ClassBuilder<S>("UISlider", UIControl::class_())
                           .method<&S::value>("value")
                           .method<static_cast<void (S::*)(float)>(&S::setValue)>("setValue:")
                           .method<static_cast<void (S::*)(float, bool)>(&S::setValue)>("setValue:animated:")
                           .method<&S::minimumValue>("minimumValue")
                           .method<&S::setMinimumValue>("setMinimumValue:")
                           .method<&S::maximumValue>("maximumValue")
                           .method<&S::setMaximumValue>("setMaximumValue:")
                           .method<&S::isContinuous>("isContinuous")
                           .method<&S::setContinuous>("setContinuous:")
                           .method<&S::minimumValueImage>("minimumValueImage")
                           .method<&S::setMinimumValueImage>("setMinimumValueImage:")
                           .method<&S::maximumValueImage>("maximumValueImage")
                           .method<&S::setMaximumValueImage>("setMaximumValueImage:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UISlider::class_();

namespace {

constexpr CGFloat kTrackHeight = 9;

// The width an end image takes: its own, scaled to the slider's height when taller.
CGFloat imageWidth(UIImage* image, CGFloat height) {
    if (!image) return 0;
    CGSize size = image->size();
    if (size.height <= 0 || size.width <= 0) return 0;
    return size.height > height ? size.width * height / size.height : size.width;
}

}  // namespace

UISlider::UISlider() = default;
UISlider::~UISlider() = default;

float UISlider::clamped(float value) const { return std::clamp(value, minimum_, maximum_); }

void UISlider::setValue(float value) { setValue(value, false); }

void UISlider::setValue(float value, bool) {
    if (std::isnan(value)) return;
    value_ = clamped(value);
    setNeedsDisplay();
}

void UISlider::setMinimumValue(float minimum) {
    if (!std::isfinite(minimum)) return;
    minimum_ = minimum;
    maximum_ = std::max(maximum_, minimum_);
    setValue(value_);
}

void UISlider::setMaximumValue(float maximum) {
    if (!std::isfinite(maximum)) return;
    maximum_ = maximum;
    minimum_ = std::min(minimum_, maximum_);
    setValue(value_);
}

void UISlider::setMinimumValueImage(UIImage* image) {
    minimumImage_ = image;
    setNeedsDisplay();
}

void UISlider::setMaximumValueImage(UIImage* image) {
    maximumImage_ = image;
    setNeedsDisplay();
}

CGRect UISlider::trackRectForBounds(CGRect b) const {
    CGFloat left = imageWidth(minimumImage_, b.size.height);
    CGFloat right = imageWidth(maximumImage_, b.size.height);
    if (left > 0) left += kImageGap;
    if (right > 0) right += kImageGap;
    const CGFloat width = std::max<CGFloat>(0, b.size.width - left - right);
    return CGRectMake(b.origin.x + left, b.origin.y + (b.size.height - kTrackHeight) / 2, width, kTrackHeight);
}

CGRect UISlider::thumbRectForBounds(CGRect b, CGRect track, float value) const {
    const float span = maximum_ - minimum_;
    const CGFloat fraction = span > 0 ? (clamped(value) - minimum_) / span : 0;
    const CGFloat run = std::max<CGFloat>(0, track.size.width - kThumbSize);
    return CGRectMake(track.origin.x + run * fraction, b.origin.y + (b.size.height - kThumbSize) / 2, kThumbSize,
                      kThumbSize);
}

CGSize UISlider::sizeThatFits(CGSize size) const { return CGSizeMake(size.width, kHeight); }

bool UISlider::follow(NSSet* touches) {
    auto* touch = touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr;
    if (!touch) return false;
    const CGRect track = trackRectForBounds(bounds());
    const CGFloat run = track.size.width - kThumbSize;
    const CGFloat x = touch->locationInView(this).x - track.origin.x - kThumbSize / 2;
    const float fraction = run > 0 ? static_cast<float>(std::clamp<CGFloat>(x / run, 0, 1)) : 0;
    const float before = value_;
    setValue(minimum_ + fraction * (maximum_ - minimum_));
    return value_ != before;
}

void UISlider::touchesBegan(NSSet* touches, UIEvent* event) {
    UIControl::touchesBegan(touches, event);
    if (!isTracking()) return;
    changedWhileTracking_ = false;
    if (follow(touches)) {
        changedWhileTracking_ = true;
        if (continuous_) sendActionsForControlEvents(UIControlEventValueChanged);
    }
}

void UISlider::touchesMoved(NSSet* touches, UIEvent* event) {
    UIControl::touchesMoved(touches, event);
    if (!isTracking()) return;
    if (follow(touches)) {
        changedWhileTracking_ = true;
        if (continuous_) sendActionsForControlEvents(UIControlEventValueChanged);
    }
}

void UISlider::touchesEnded(NSSet* touches, UIEvent* event) {
    if (!isTracking()) return;
    Ref<UISlider> keep(this);
    // The thumb follows the finger to wherever it lifts, inside or not.
    const bool changed = follow(touches);
    UIControl::touchesEnded(touches, event);
    if ((changed && continuous_) || (!continuous_ && (changed || changedWhileTracking_)))
        sendActionsForControlEvents(UIControlEventValueChanged);
    changedWhileTracking_ = false;
}

void UISlider::drawRect(CGRect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    const CGRect b = bounds();
    if (CGFloat w = imageWidth(minimumImage_, b.size.height); w > 0) {
        const CGFloat h = minimumImage_->size().height * w / minimumImage_->size().width;
        minimumImage_->drawInRect(CGRectMake(b.origin.x, b.origin.y + (b.size.height - h) / 2, w, h));
    }
    if (CGFloat w = imageWidth(maximumImage_, b.size.height); w > 0) {
        const CGFloat h = maximumImage_->size().height * w / maximumImage_->size().width;
        maximumImage_->drawInRect(CGRectMake(CGRectGetMaxX(b) - w, b.origin.y + (b.size.height - h) / 2, w, h));
    }
    const CGRect track = trackRectForBounds(b);
    const CGRect thumb = thumbRectForBounds(b, track, value_);
    const CGFloat split = CGRectGetMidX(thumb);
    // Filled blue up to the thumb, grey after it.
    {
        CGContextStateGuard filled(c);
        CGContextClipToRect(c, CGRectMake(track.origin.x, track.origin.y, split - track.origin.x, track.size.height));
        ViewRenderer::addRoundedRectPath(c, track, kTrackHeight / 2);
        CGContextSetFillColorWithColor(c, UIColor::colorWithRed(0.16f, 0.45f, 0.9f, 1)->CGColor());
        CGContextFillPath(c);
    }
    {
        CGContextStateGuard empty(c);
        CGContextClipToRect(c, CGRectMake(split, track.origin.y, CGRectGetMaxX(track) - split, track.size.height));
        ViewRenderer::addRoundedRectPath(c, track, kTrackHeight / 2);
        CGContextSetFillColorWithColor(c, UIColor::colorWithWhite(0.88f, 1)->CGColor());
        CGContextFillPath(c);
    }
    ViewRenderer::addRoundedRectPath(c, CGRectInset(track, 0.5f, 0.5f), kTrackHeight / 2);
    CGContextSetStrokeColorWithColor(c, UIColor::colorWithWhite(0.55f, 1)->CGColor());
    CGContextSetLineWidth(c, 1);
    CGContextStrokePath(c);

    ViewRenderer::addRoundedRectPath(c, CGRectInset(thumb, 0.5f, 0.5f), kThumbSize / 2);
    CGContextSetFillColorWithColor(c, (isHighlighted() ? UIColor::colorWithWhite(0.85f, 1) : UIColor::whiteColor())->CGColor());
    CGContextFillPath(c);
    ViewRenderer::addRoundedRectPath(c, CGRectInset(thumb, 0.5f, 0.5f), kThumbSize / 2);
    CGContextSetStrokeColorWithColor(c, UIColor::colorWithWhite(0.5f, 1)->CGColor());
    CGContextStrokePath(c);
}
