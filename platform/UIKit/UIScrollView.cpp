#include "UIKit/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "Foundation/Clock.h"
#include "Foundation/NSTimer.h"
#include "UIKit/UIColor.h"
#include "objc/ClassBuilder.h"

namespace {

constexpr double kAnimationStep = 1.0 / 60;

// Slow at both ends, as the platform's default animation curve.
double easeInOut(double t) { return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t); }

bool finite(CGPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

constexpr CGFloat kIndicatorInset = 2;
constexpr CGFloat kShortestIndicator = 36;

// Where an indicator bar runs along one axis: its start and length, in the
// content's coordinates, for the visible length, content length and offset.
std::pair<CGFloat, CGFloat> indicatorSpan(CGFloat visible, CGFloat content, CGFloat offset) {
    const CGFloat room = std::max<CGFloat>(0, visible - 2 * kIndicatorInset);
    const CGFloat length = std::min(room, std::max(kShortestIndicator, room * visible / content));
    const CGFloat travel = std::clamp<CGFloat>(offset / (content - visible), 0, 1);
    return {offset + kIndicatorInset + (room - length) * travel, length};
}

}  // namespace

Class UIScrollView::class_() {
    static Class cls =
        objc::ClassBuilder<UIScrollView>("UIScrollView", UIView::class_())
            .method<&UIScrollView::contentSize>("contentSize")
            .method<&UIScrollView::setContentSize>("setContentSize:")
            .method<&UIScrollView::contentOffset>("contentOffset")
            .method<static_cast<void (UIScrollView::*)(CGPoint)>(&UIScrollView::setContentOffset)>("setContentOffset:")
            .method<static_cast<void (UIScrollView::*)(CGPoint, bool)>(&UIScrollView::setContentOffset)>(
                "setContentOffset:animated:")
            .method<&UIScrollView::isScrollEnabled>("isScrollEnabled")
            .method<&UIScrollView::setScrollEnabled>("setScrollEnabled:")
            .method<&UIScrollView::delaysContentTouches>("delaysContentTouches")
            .method<&UIScrollView::setDelaysContentTouches>("setDelaysContentTouches:")
            .method<&UIScrollView::canCancelContentTouches>("canCancelContentTouches")
            .method<&UIScrollView::setCanCancelContentTouches>("setCanCancelContentTouches:")
            .method<&UIScrollView::isDragging>("isDragging")
            .method<&UIScrollView::flashScrollIndicators>("flashScrollIndicators")
            .method<&UIScrollView::delegate>("delegate")
            .method<&UIScrollView::setDelegate>("setDelegate:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIScrollView::class_();

UIScrollView::UIScrollView() = default;

UIScrollView::~UIScrollView() {
    stopAnimation();
    hideIndicators();
}

UIView* UIScrollView::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    // Content outside the visible part is never drawn.
    setClipsToBounds(true);
    return this;
}

void UIScrollView::setContentSize(CGSize size) {
    if (std::isfinite(size.width) && std::isfinite(size.height)) contentSize_ = size;
}

void UIScrollView::setContentOffset(CGPoint offset) {
    stopAnimation();
    if (!finite(offset)) return;
    CGRect b = bounds();
    b.origin = offset;
    setBounds(b);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (!animated) {
        setContentOffset(offset);
        return;
    }
    stopAnimation();
    if (!finite(offset)) return;
    const CGPoint from = contentOffset();
    const double start = Clock::now();
    // The timer holds only this pointer; the destructor stops it first.
    animation_ = NSTimer::scheduledTimerWithTimeInterval(kAnimationStep, true, [this, from, offset, start](NSTimer*) {
        double t = std::min(1.0, (Clock::now() - start) / kScrollAnimationDuration);
        double k = easeInOut(t);
        CGRect b = bounds();
        b.origin = t >= 1 ? offset
                          : CGPointMake(static_cast<CGFloat>(from.x + (offset.x - from.x) * k),
                                        static_cast<CGFloat>(from.y + (offset.y - from.y) * k));
        if (t >= 1) stopAnimation();
        setBounds(b);
    });
}

void UIScrollView::stopAnimation() {
    if (animation_) {
        animation_->invalidate();
        animation_ = nullptr;
    }
}

void UIScrollView::flashScrollIndicators() {
    hideIndicators();
    const CGRect b = bounds();
    const CGPoint most = maximumContentOffset();
    const CGFloat t = kIndicatorThickness;
    if (most.y > 0) {
        auto [y, length] = indicatorSpan(b.size.height, contentSize_.height, b.origin.y);
        indicators_[0] = UIView::withFrame(CGRectMake(CGRectGetMaxX(b) - kIndicatorInset - t, y, t, length));
    }
    if (most.x > 0) {
        auto [x, length] = indicatorSpan(b.size.width, contentSize_.width, b.origin.x);
        indicators_[1] = UIView::withFrame(CGRectMake(x, CGRectGetMaxY(b) - kIndicatorInset - t, length, t));
    }
    bool shown = false;
    for (auto& bar : indicators_) {
        if (!bar) continue;
        bar->setBackgroundColor(UIColor::colorWithWhite(0, 0.5f));
        bar->layer()->setCornerRadius(t / 2);
        bar->setUserInteractionEnabled(false);
        addSubview(bar);
        shown = true;
    }
    if (!shown) return;
    // The timer holds only this pointer; the destructor stops it first.
    indicatorTimer_ =
        NSTimer::scheduledTimerWithTimeInterval(kIndicatorFlashDuration, false, [this](NSTimer*) { hideIndicators(); });
}

void UIScrollView::hideIndicators() {
    if (indicatorTimer_) indicatorTimer_->invalidate();
    indicatorTimer_ = nullptr;
    for (auto& bar : indicators_) {
        if (bar) bar->removeFromSuperview();
        bar = nullptr;
    }
}

CGPoint UIScrollView::maximumContentOffset() const {
    CGSize visible = bounds().size;
    return CGPointMake(std::max<CGFloat>(0, contentSize_.width - visible.width),
                       std::max<CGFloat>(0, contentSize_.height - visible.height));
}

CGPoint UIScrollView::clamped(CGPoint offset) const {
    CGPoint most = maximumContentOffset();
    return CGPointMake(std::clamp<CGFloat>(offset.x, 0, most.x), std::clamp<CGFloat>(offset.y, 0, most.y));
}

void UIScrollView::setBounds(CGRect bounds) {
    CGPoint old = contentOffset();
    UIView::setBounds(bounds);
    if (CGPointEqualToPoint(old, contentOffset())) return;
    contentOffsetChanged();
    if (objc::responds(delegate_, "scrollViewDidScroll:"))
        objc::send<void, id>(delegate_, "scrollViewDidScroll:", this);
}

bool UIScrollView::shouldBeginDragging(CGPoint translation) const {
    if (!scrollEnabled_) return false;
    CGPoint most = maximumContentOffset();
    return (most.x > 0 && std::fabs(translation.x) >= kDragThreshold) ||
           (most.y > 0 && std::fabs(translation.y) >= kDragThreshold);
}

void UIScrollView::beginDragging(CGPoint windowPoint) {
    stopAnimation();
    dragging_ = true;
    dragAnchor_ = windowPoint;
    dragStartOffset_ = contentOffset();
}

void UIScrollView::dragTo(CGPoint windowPoint) {
    if (!dragging_ || !scrollEnabled_) return;
    CGPoint most = maximumContentOffset();
    // Content follows the finger along the axes on which it can move.
    CGPoint offset = dragStartOffset_;
    if (most.x > 0) offset.x -= windowPoint.x - dragAnchor_.x;
    if (most.y > 0) offset.y -= windowPoint.y - dragAnchor_.y;
    CGRect b = bounds();
    b.origin = clamped(offset);
    setBounds(b);
}

void UIScrollView::endDragging() { dragging_ = false; }
