// A title with a value beside it (the platform's value style), for choice,
// title-value, child-page, web-address and mail rows. The title takes the
// width it needs up to a limit, and the value starts just after it. A row
// without a title shows its value in the title's place; a choice row then
// shows it in the value's colour and plain font, so that it reads as a value.
#pragma once

#include "UIKit/UITableViewCell.h"

class UIColor;
class UIFont;

class QLTPSTitleValueSpecifierViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(QLTPSTitleValueSpecifierViewCell)
public:
    static constexpr CGFloat kInset = 9;
    static constexpr CGFloat kGap = 5;
    // Of the content view's width: kept free of the title; more with a value.
    static constexpr CGFloat kTitleMargin = 19;
    static constexpr CGFloat kValueRoom = 40;
    static constexpr CGFloat kValueMargin = 10;

    QLTPSTitleValueSpecifierViewCell();
    ~QLTPSTitleValueSpecifierViewCell() override;

    void layoutSubviews() override;
    // The title gets back its own font and colour, which an untitled choice
    // row lent to its value.
    void prepareForReuse() override;

private:
    Ref<UIFont> titleFont_;
    Ref<UIColor> titleColour_;
};
