// A table's swipe to delete: it tells a sideways swipe from a tap or a
// scroll, shows the row's "Delete" button, and commits or hides it. The
// table decides which rows may be deleted and owns the rows; this keeps the
// finger's start, the row showing the button and the button itself.
#pragma once

#include <functional>

#include "CoreGraphics/CGGeometry.h"
#include "objc/Ref.h"

class NSIndexPath;
class UITableViewCell;
class UIView;

class UITableViewDeleteSwipe {
public:
    // How far sideways, in points, a finger goes for a swipe.
    static constexpr CGFloat kSwipeDistance = 12;

    // `commit` is called with the row whose button was tapped, after the
    // button has gone.
    explicit UITableViewDeleteSwipe(std::function<void(NSIndexPath*)> commit);
    ~UITableViewDeleteSwipe();
    UITableViewDeleteSwipe(const UITableViewDeleteSwipe&) = delete;
    UITableViewDeleteSwipe& operator=(const UITableViewDeleteSwipe&) = delete;

    // Where the finger came down, in window points.
    void touchBegan(CGPoint start) { start_ = start; }
    // Whether the finger, now at `point`, has gone far enough sideways, and
    // at least twice as far sideways as up or down, to be a swipe.
    bool isSwipe(CGPoint point) const;

    void show(UITableViewCell* cell, NSIndexPath* indexPath);
    void hide();
    // The row showing the button; nil when none does.
    NSIndexPath* indexPath() const;

    // The rest of a touch that showed or hid the button goes nowhere.
    void swallowRestOfTouch() { swallow_ = true; }
    bool swallowsTouch() const { return swallow_; }
    // Ends the touch; answers whether it was swallowed.
    bool endTouch();

private:
    void commit();

    std::function<void(NSIndexPath*)> commit_;
    CGPoint start_ = CGPointZero;
    bool swallow_ = false;
    Ref<NSIndexPath> deleting_;
    Ref<UIView> control_;
};
