// A text row: the title and, after it, the field that edits the value, made
// from the interface file "QLTPSTextFieldSpecifierViewCell". The field
// starts a fixed distance after a short title (further after a long one) and
// takes the whole row when there is no title; it ends as far from the right
// edge as the title starts from the left.
#pragma once

#include "Quilltray/Views/QLTTextField.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableViewCell.h"

class QLTPSTextFieldSpecifierViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(QLTPSTextFieldSpecifierViewCell)
public:
    // The narrowest room the title takes, and the gap after it.
    static constexpr CGFloat kLeastTitleWidth = 97;
    static constexpr CGFloat kGap = 5;

    QLTPSTextFieldSpecifierViewCell();
    ~QLTPSTextFieldSpecifierViewCell() override;

    UILabel* label() const { return label_; }
    QLTTextField* textField() const { return textField_; }

    void layoutSubviews() override;

private:
    void setLabel(UILabel* label) { label_ = label; }
    void setTextField(QLTTextField* field) { textField_ = field; }

    Ref<UILabel> label_;
    Ref<QLTTextField> textField_;
};
