#include "Classes/ZRSwipeableTableViewCellBackView.h"

#include "Classes/ZRSwipeableTableViewCell.h"
#include "objc/ClassBuilder.h"

Class ZRSwipeableTableViewCellBackView::class_() {
    static Class cls =
        objc::ClassBuilder<ZRSwipeableTableViewCellBackView>("ZRSwipeableTableViewCellBackView", UIView::class_())
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = ZRSwipeableTableViewCellBackView::class_();

void ZRSwipeableTableViewCellBackView::drawRect(CGRect rect) {
    if (isHidden()) {
        UIView::drawRect(rect);
        return;
    }
    if (auto* row = objc::cast<ZRSwipeableTableViewCell>(superview())) row->drawBackView(rect);
}
