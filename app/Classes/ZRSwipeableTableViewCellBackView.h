// The back face of a swipeable row. It draws nothing itself: the row it
// sits in draws the face (drawBackView:) into the view's context.
#pragma once

#include "UIKit/UIView.h"

class ZRSwipeableTableViewCellBackView : public UIView {
    KORVEL_OBJC_CLASS(ZRSwipeableTableViewCellBackView)
public:
    void drawRect(CGRect rect) override;
};
