#include "UIKit/UITableViewDeleteSwipe.h"

#include <cmath>
#include <utility>

#include "Foundation/NSIndexPath.h"
#include "Foundation/NSString.h"
#include "UIKit/UITableViewCell.h"
#include "UIKit/UITableViewCellDeleteConfirmationControl.h"

UITableViewDeleteSwipe::UITableViewDeleteSwipe(std::function<void(NSIndexPath*)> commit)
    : commit_(std::move(commit)) {}

UITableViewDeleteSwipe::~UITableViewDeleteSwipe() { hide(); }

bool UITableViewDeleteSwipe::isSwipe(CGPoint point) const {
    const CGFloat dx = std::fabs(point.x - start_.x), dy = std::fabs(point.y - start_.y);
    return dx >= kSwipeDistance && dx >= 2 * dy;
}

void UITableViewDeleteSwipe::show(UITableViewCell* cell, NSIndexPath* indexPath) {
    hide();
    deleting_ = indexPath;
    // The control lives in one of the table's cells and goes before the table does.
    control_ = UITableViewCellDeleteConfirmationControl::forRow(cell->bounds().size, "Delete"_ns, [this] { commit(); });
    cell->addSubview(control_);
}

void UITableViewDeleteSwipe::hide() {
    if (control_) control_->removeFromSuperview();
    control_ = nullptr;
    deleting_ = nullptr;
}

NSIndexPath* UITableViewDeleteSwipe::indexPath() const { return deleting_; }

bool UITableViewDeleteSwipe::endTouch() { return std::exchange(swallow_, false); }

void UITableViewDeleteSwipe::commit() {
    Ref<NSIndexPath> path = deleting_;
    hide();
    if (path) commit_(path);
}
