// The protocol of a swipe listener of ZRSwipeableTableView. A listener's
// class adopts it (objc::ClassBuilder::protocol(kName)) and answers either
// operation or neither; the table asks respondsToSelector: before each call.
//
//   tableView:shouldSwipeCellAtIndexPath: -> BOOL   may this row swipe
//       (without it, every swipeable row may)
//   tableView:didSwipeCellAtIndexPath:              a swipe revealed the row
#pragma once

struct ZRSwipeableTableViewDelegate {
    static constexpr const char* kName = "ZRSwipeableTableViewDelegate";
    static constexpr const char* kShouldSwipeCell = "tableView:shouldSwipeCellAtIndexPath:";
    static constexpr const char* kDidSwipeCell = "tableView:didSwipeCellAtIndexPath:";
};
