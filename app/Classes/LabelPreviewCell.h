// The settings screen's preview row: a sample message row drawn as Mail shows
// it with the hook, in the chosen label style and in the colour of one of the
// user's addresses. The label's shape comes from the hook's own table
// (LabelShapes), so the preview and Mail cannot differ. The row follows the
// style as soon as the settings screen announces a new one
// ("kAppSettingChanged" for "mail_label_style").
#pragma once

#include "UIKit/UITableViewCell.h"

class NSNotification;
class NSString;
class UIColor;
class UILabel;

class LabelPreviewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(LabelPreviewCell)
public:
    static constexpr const char* kStyleKey = "mail_label_style";
    // The sample shows two preview lines, Mail's own default.
    static constexpr int kPreviewLines = 2;
    static constexpr CGFloat kMailRowHeight = 44;

    LabelPreviewCell();
    ~LabelPreviewCell() override;

    // The row's height: Mail's row with its preview lines.
    static CGFloat height();

    UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) override;

    int labelStyle() const { return labelStyle_; }
    void setLabelStyle(int style);
    // The sample's sender; nil colour: no colour record, as Mail shows it.
    void setSample(NSString* address, UIColor* colour);

    // Follows the style the settings screen announces.
    void settingChanged(NSNotification* notification);

    void layoutSubviews() override;

private:
    // Gives the label views the style's shape and colour.
    void showStyle();

    int labelStyle_ = 0;
    Ref<UIColor> colour_;
    Ref<UILabel> sender_;
    Ref<UILabel> subject_;
    Ref<UILabel> summary_;
    Ref<UILabel> date_;
    Ref<UIView> label_;
    Ref<UIView> dateBackground_;
};
