// The front face of a swipeable row. It draws nothing itself: the row it
// sits in draws the face (drawContentView:) into the view's context.
#pragma once

#include "UIKit/UIView.h"

class ZRSwipeableTableViewCellView : public UIView {
    KORVEL_OBJC_CLASS(ZRSwipeableTableViewCellView)
public:
    void drawRect(CGRect rect) override;
};
