#include "Classes/ZRSwipeableTableView.h"

#include <cmath>
#include <cstdio>

#include "Classes/ZRSwipeableTableViewCell.h"
#include "Classes/ZRSwipeableTableViewCellView.h"
#include "Classes/ZRSwipeableTableViewDelegate.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

Class ZRSwipeableTableView::class_() {
    using T = ZRSwipeableTableView;
    static Class cls = objc::ClassBuilder<T>("ZRSwipeableTableView", UITableView::class_())
                           .method<&T::description>("description")
                           .method<&T::swipeDelegate>("swipeDelegate")
                           .method<&T::setSwipeDelegate>("setSwipeDelegate:")
                           .method<&T::indexOfVisibleBackView>("indexOfVisibleBackView")
                           .method<&T::setIndexOfVisibleBackView>("setIndexOfVisibleBackView:")
                           .method<&T::supportsSwipingForCellAtPoint>("supportsSwipingForCellAtPoint:")
                           .method<&T::highlightTouchedRow>("highlightTouchedRow")
                           .method<&T::hideVisibleBackView>("hideVisibleBackView:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ZRSwipeableTableView::class_();

namespace {

UITouch* anyTouch(NSSet* touches) { return touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr; }

}  // namespace

ZRSwipeableTableView::ZRSwipeableTableView() = default;

ZRSwipeableTableView::~ZRSwipeableTableView() { setDelegate(nullptr); }

UITableView* ZRSwipeableTableView::initWithFrame(CGRect frame, NSInteger style) {
    if (!UITableView::initWithFrame(frame, style)) return nullptr;
    setDelaysContentTouches(false);
    return this;
}

UITableViewCell* ZRSwipeableTableView::cellAtPoint(CGPoint point) const {
    return cellForRowAtIndexPath(indexPathForRowAtPoint(point));
}

bool ZRSwipeableTableView::supportsSwipingForCellAtPoint(CGPoint point) {
    Ref<NSIndexPath> indexPath = indexPathForRowAtPoint(point);
    auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellForRowAtIndexPath(indexPath));
    if (!cell || !cell->shouldSupportSwiping()) return false;
    if (objc::responds(swipeDelegate_, ZRSwipeableTableViewDelegate::kShouldSwipeCell))
        return objc::send<BOOL, id, id>(swipeDelegate_, ZRSwipeableTableViewDelegate::kShouldSwipeCell, this,
                                        indexPath.get()) != NO;
    return true;
}

void ZRSwipeableTableView::highlightTouchedRow() {
    if (auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellAtPoint(gestureStartPoint_))) cell->setSelected(true);
}

void ZRSwipeableTableView::cancelHighlight() {
    NSRunLoop::mainRunLoop()->cancelPerformRequests(this, true, sel_registerName("highlightTouchedRow"), nullptr);
}

void ZRSwipeableTableView::hideVisibleBackView(bool animated) {
    if (!indexOfVisibleBackView_) return;
    if (auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellForRowAtIndexPath(indexOfVisibleBackView_))) {
        // A row still sliding open ignores hideBackView and would stay open
        // for good, beside the next row to open; it jumps back instead.
        if (animated && !cell->contentViewMoving()) cell->hideBackView();
        else cell->resetViews();
    }
    setIndexOfVisibleBackView(nullptr);
}

void ZRSwipeableTableView::touchesBegan(NSSet* touches, UIEvent* event) {
    Ref<ZRSwipeableTableView> keep(this);
    hideVisibleBackView(true);
    UITouch* touch = anyTouch(touches);
    gestureStartPoint_ = touch ? touch->locationInView(this) : CGPointZero;
    if (supportsSwipingForCellAtPoint(gestureStartPoint_)) {
        NSRunLoop::mainRunLoop()->performSelector(this, sel_registerName("highlightTouchedRow"), nullptr, kHighlightDelay);
        return;
    }
    UITableView::touchesBegan(touches, event);
}

void ZRSwipeableTableView::touchesMoved(NSSet* touches, UIEvent* event) {
    Ref<ZRSwipeableTableView> keep(this);
    if (!supportsSwipingForCellAtPoint(gestureStartPoint_)) {
        UITableView::touchesMoved(touches, event);
        return;
    }
    // Any movement within the delay means this is no tap.
    cancelHighlight();
    UITouch* touch = anyTouch(touches);
    const CGPoint current = touch ? touch->locationInView(this) : CGPointZero;
    const float dx = std::fabs(gestureStartPoint_.x - current.x);
    const float dy = std::fabs(gestureStartPoint_.y - current.y);
    // Written so that a NaN ends here too.
    if (!(dx >= kSwipeDistance) || !(dy <= kSwipeDrift)) return;

    setScrollEnabled(false);
    auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellAtPoint(gestureStartPoint_));
    if (cell && cell->backView()->isHidden() && touch && objc::cast<ZRSwipeableTableViewCellView>(touch->view())) {
        cell->revealBackView();
        if (objc::responds(swipeDelegate_, ZRSwipeableTableViewDelegate::kDidSwipeCell)) {
            Ref<NSIndexPath> swiped = indexPathForRowAtPoint(gestureStartPoint_);
            objc::send<void, id, id>(swipeDelegate_, ZRSwipeableTableViewDelegate::kDidSwipeCell, this, swiped.get());
        }
        setIndexOfVisibleBackView(indexPathForCell(cell));
    }
    setScrollEnabled(true);
}

void ZRSwipeableTableView::touchesEnded(NSSet* touches, UIEvent* event) {
    Ref<ZRSwipeableTableView> keep(this);
    UITouch* touch = anyTouch(touches);
    if (!supportsSwipingForCellAtPoint(gestureStartPoint_)) {
        UITableView::touchesEnded(touches, event);
        return;
    }
    auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellAtPoint(gestureStartPoint_));
    if (touch && objc::cast<ZRSwipeableTableViewCellView>(touch->view()) && cell && cell->isSelected() &&
        !cell->contentViewMoving()) {
        NSObject* delegate = this->delegate();
        if (objc::responds(delegate, "tableView:didSelectRowAtIndexPath:")) {
            Ref<NSIndexPath> selected = indexPathForCell(cell);
            objc::send<void, id, id>(delegate, "tableView:didSelectRowAtIndexPath:", this, selected.get());
        }
    }
    touchesCancelled(touches, event);
}

void ZRSwipeableTableView::touchesCancelled(NSSet* touches, UIEvent* event) {
    Ref<ZRSwipeableTableView> keep(this);
    if (!supportsSwipingForCellAtPoint(gestureStartPoint_)) {
        UITableView::touchesCancelled(touches, event);
        return;
    }
    cancelHighlight();
    if (auto* cell = objc::cast<ZRSwipeableTableViewCell>(cellAtPoint(gestureStartPoint_))) cell->setSelected(false);
}

Ref<NSString> ZRSwipeableTableView::description() const {
    char text[96];
    std::snprintf(text, sizeof text, "<ZRSwipeableTableView %p 'Handling swiping like a boss since 1861'>",
                  static_cast<const void*>(this));
    return NSString::from(text);
}
