// A view that shows part of a larger content area and moves over it when the
// finger drags. The visible part is the bounds: the content offset is the
// bounds' origin, so the subviews draw and hit-test shifted by it.
//
// Touches on the content go through the window (UIWindow::sendEvent), which
// asks the scroll views above the touched view whether a drag is theirs: a
// scroll view takes the finger once it has moved kDragThreshold points along
// an axis on which the content is larger than the view. With
// delaysContentTouches the content sees a touch only after kContentTouchDelay
// seconds without such a drag (or at once when the finger lifts first); a
// touch the content already has is cancelled when the drag starts.
#pragma once

#include "UIKit/UIView.h"

class NSTimer;

class UIScrollView : public UIView {
    KORVEL_OBJC_CLASS(UIScrollView)
public:
    static constexpr CGFloat kDragThreshold = 10;
    static constexpr double kContentTouchDelay = 0.15;
    static constexpr double kScrollAnimationDuration = 0.3;

    UIScrollView();
    ~UIScrollView() override;

    UIView* initWithFrame(CGRect frame) override;

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    // Stops any running scroll animation and moves at once.
    void setContentOffset(CGPoint offset);
    // Animated: eases to the offset over kScrollAnimationDuration on the clock.
    void setContentOffset(CGPoint offset, bool animated);
    // The largest offset the content allows (zero where it fits).
    CGPoint maximumContentOffset() const;

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool delaysContentTouches() const { return delaysContentTouches_; }
    void setDelaysContentTouches(bool delays) { delaysContentTouches_ = delays; }
    bool canCancelContentTouches() const { return canCancelContentTouches_; }
    void setCanCancelContentTouches(bool cancels) { canCancelContentTouches_ = cancels; }
    bool isDragging() const { return dragging_; }

    // Shows the scroll indicators, a bar along each axis on which the content
    // is larger than the view, sized and placed by the part on view, for
    // kIndicatorFlashDuration seconds; nothing when the content fits.
    static constexpr double kIndicatorFlashDuration = 0.6;
    static constexpr CGFloat kIndicatorThickness = 7;
    void flashScrollIndicators();

    // Told scrollViewDidScroll: (when it answers it) after every change of
    // offset. Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    // The window's side of a drag. `translation` is the finger's movement
    // since it came down, in window points.
    bool shouldBeginDragging(CGPoint translation) const;
    void beginDragging(CGPoint windowPoint);
    void dragTo(CGPoint windowPoint);
    void endDragging();

    void setBounds(CGRect bounds) override;

protected:
    // Called after the offset changed, before the delegate hears of it.
    virtual void contentOffsetChanged() {}

private:
    CGPoint clamped(CGPoint offset) const;
    void stopAnimation();
    void hideIndicators();

    CGSize contentSize_;
    bool scrollEnabled_ = true;
    bool delaysContentTouches_ = true;
    bool canCancelContentTouches_ = true;
    bool dragging_ = false;
    CGPoint dragAnchor_;
    CGPoint dragStartOffset_;
    NSObject* delegate_ = nullptr;
    Ref<NSTimer> animation_;
    Ref<UIView> indicators_[2];
    Ref<NSTimer> indicatorTimer_;
};
