#include "Classes/ZRSwipeableTableViewCellView.h"

#include "Classes/ZRSwipeableTableViewCell.h"
#include "objc/ClassBuilder.h"

Class ZRSwipeableTableViewCellView::class_() {
    static Class cls =
        objc::ClassBuilder<ZRSwipeableTableViewCellView>("ZRSwipeableTableViewCellView", UIView::class_())
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ZRSwipeableTableViewCellView::class_();

void ZRSwipeableTableViewCellView::drawRect(CGRect rect) {
    if (isHidden()) {
        UIView::drawRect(rect);
        return;
    }
    if (auto* row = objc::cast<ZRSwipeableTableViewCell>(superview())) row->drawContentView(rect);
}
