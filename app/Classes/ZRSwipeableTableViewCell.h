// A table row with two faces. The front view (the row's own `contentView`
// field, not the platform cell's built-in content view, which stays beneath
// both faces) normally covers the row; the back view lies beneath it,
// hidden. Revealing slides the front view out to the right over 0.14 s and
// shows the back view; hiding fades the back view out over 0.09 s while the
// front view slides back and, with shouldBounce, overshoots to -20, swings
// to 15 and settles at 0 (0.21 s in all).
//
// The row draws both faces itself (drawContentView:, drawBackView:) and
// tells a subclass when the back face is about to appear, has appeared, is
// about to disappear and has disappeared; here all of these do nothing.
//
// The front view is moved on its layer: its anchor point is (0, 0.5) once it
// has been moved, so its layer's position.x is the x of its left edge. Until
// the first reveal, hide or reset a new row's front layer keeps the default
// anchor point, so the first reveal starts from half the row's width.
//
// The row is the delegate of its animations and tells them apart by
// identity with what the layers hold under the keys "reveal", "bounce" and
// "hide"; animations removed by resetViews no longer match and change
// nothing when they report their stop.
#pragma once

#include "UIKit/UITableViewCell.h"

class CAAnimation;
class CAAnimationGroup;
class NSString;
class ZRSwipeableTableViewCellBackView;
class ZRSwipeableTableViewCellView;

class ZRSwipeableTableViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(ZRSwipeableTableViewCell)
public:
    static constexpr double kRevealDuration = 0.14;
    static constexpr float kHideDuration = 0.09f;
    static constexpr float kBounceStep = 0.04f;
    static constexpr float kOvershoot = -20;
    static constexpr float kSwing = 15;

    ZRSwipeableTableViewCell();
    ~ZRSwipeableTableViewCell() override;

    UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) override;

    // The front view (the row's `contentView` field).
    ZRSwipeableTableViewCellView* frontView() const { return contentView_; }
    UIView* backView() const;

    bool contentViewMoving() const { return contentViewMoving_; }
    void setContentViewMoving(bool moving) { contentViewMoving_ = moving; }
    // The row's own highlight flag, independent of the platform cell's
    // selection; setting it redraws both faces.
    bool isSelected() const override { return selected_; }
    using UITableViewCell::setSelected;
    void setSelected(bool selected) override;
    bool shouldSupportSwiping() const { return shouldSupportSwiping_; }
    void setShouldSupportSwiping(bool supports) { shouldSupportSwiping_ = supports; }
    bool shouldBounce() const { return shouldBounce_; }
    void setShouldBounce(bool bounces) { shouldBounce_ = bounces; }

    void revealBackView();
    void hideBackView();
    // The slide back from `initialXOrigin` over `hideDuration`, and with
    // shouldBounce the overshoot, swing and settle, 0.04 s each.
    Ref<CAAnimationGroup> bounceAnimationWithHideDuration(float hideDuration, float initialXOrigin);
    // Back to the front face at once, from any state.
    void resetViews();
    void animationDidStop(CAAnimation* animation, bool finished);

    // For a subclass to fill.
    virtual void drawContentView(CGRect rect);
    virtual void drawBackView(CGRect rect);
    virtual void backViewWillAppear();
    virtual void backViewDidAppear();
    virtual void backViewWillDisappear();
    virtual void backViewDidDisappear();

    void prepareForReuse() override;
    // Both faces take the row's bounds less the bottom point, so the row's
    // bottom line stays uncovered.
    void setFrame(CGRect frame) override;
    void setNeedsDisplay() override;
    // A swipeable row never shows a platform accessory.
    void setAccessoryType(NSInteger type) override;
    void setAccessoryView(UIView* view) override;

    Ref<NSString> description() const;

private:
    // Not owned: the row's subviews keep them.
    ZRSwipeableTableViewCellView* contentView_ = nullptr;
    ZRSwipeableTableViewCellBackView* backView_ = nullptr;
    bool contentViewMoving_ = false;
    bool selected_ = false;
    bool shouldSupportSwiping_ = true;
    bool shouldBounce_ = true;
};
