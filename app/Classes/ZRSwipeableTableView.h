// A table that takes over the touches of its swipeable rows
// (ZRSwipeableTableViewCell): a sideways drag of at least kSwipeDistance
// points with no more than kSwipeDrift points of vertical drift reveals the
// row's back view; the next touch anywhere on the table slides it back.
// Since the table consumes those touches, it also makes their taps: a row
// is highlighted once the finger has rested on it for kHighlightDelay
// seconds without moving, and a release over a highlighted row is reported
// to the ordinary delegate as tableView:didSelectRowAtIndexPath:. Rows that
// are not swipeable keep the platform table's handling.
//
// At most one row shows its back view; indexOfVisibleBackView remembers
// which. Content touches are not delayed (setDelaysContentTouches: NO), so
// touches reach the rows at once.
#pragma once

#include "UIKit/UITableView.h"

class NSIndexPath;
class NSString;

class ZRSwipeableTableView : public UITableView {
    KORVEL_OBJC_CLASS(ZRSwipeableTableView)
public:
    static constexpr double kHighlightDelay = 0.06;
    static constexpr float kSwipeDistance = 18.0f;
    static constexpr float kSwipeDrift = 8.0f;

    ZRSwipeableTableView();
    ~ZRSwipeableTableView() override;

    UITableView* initWithFrame(CGRect frame, NSInteger style) override;
    using UITableView::initWithFrame;

    // Adopts ZRSwipeableTableViewDelegate; not retained.
    NSObject* swipeDelegate() const { return swipeDelegate_; }
    void setSwipeDelegate(NSObject* delegate) { swipeDelegate_ = delegate; }
    NSIndexPath* indexOfVisibleBackView() const { return indexOfVisibleBackView_; }
    void setIndexOfVisibleBackView(NSIndexPath* indexPath) { indexOfVisibleBackView_ = indexPath; }
    // Where the current touch went down, in the table's own coordinates.
    CGPoint gestureStartPoint() const { return gestureStartPoint_; }

    // Whether the row under `point` (table coordinates) is a swipeable row
    // that may swipe.
    bool supportsSwipingForCellAtPoint(CGPoint point);
    // Selects the row under the gesture's start, if it is swipeable.
    void highlightTouchedRow();
    // Slides the showing back view away (animated: with the bounce; else at
    // once, as also for a row still sliding open) and forgets it, also when
    // its row is off screen.
    void hideVisibleBackView(bool animated);

    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void touchesCancelled(NSSet* touches, UIEvent* event) override;

    Ref<NSString> description() const;

private:
    // The row under `point`; nil when it is not on screen.
    UITableViewCell* cellAtPoint(CGPoint point) const;
    void cancelHighlight();

    NSObject* swipeDelegate_ = nullptr;
    Ref<NSIndexPath> indexOfVisibleBackView_;
    CGPoint gestureStartPoint_;
};
