// A switch row: the title and the switch, placed by the interface file
// "QLTPSToggleSwitchSpecifierViewCell"; the cell has no layout of its own.
#pragma once

#include "Quilltray/Views/QLTSwitch.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITableViewCell.h"

class QLTPSToggleSwitchSpecifierViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(QLTPSToggleSwitchSpecifierViewCell)
public:
    QLTPSToggleSwitchSpecifierViewCell();
    ~QLTPSToggleSwitchSpecifierViewCell() override;

    UILabel* label() const { return label_; }
    QLTSwitch* toggle() const { return toggle_; }

private:
    void setLabel(UILabel* label) { label_ = label; }
    void setToggle(QLTSwitch* toggle) { toggle_ = toggle; }

    Ref<UILabel> label_;
    Ref<QLTSwitch> toggle_;
};
