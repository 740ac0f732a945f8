#include "Classes/LabelPreviewCell.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSString.h"
#include "Foundation/NSUserDefaults.h"
#include "hook/LabelShapes.h"
#include "Quilltray/Controllers/QLTAppSettingsViewController.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"

Class LabelPreviewCell::class_() {
    static Class cls = objc::ClassBuilder<LabelPreviewCell>("LabelPreviewCell", UITableViewCell::class_())
                           .method<&LabelPreviewCell::initWithStyle>("initWithStyle:reuseIdentifier:")
                           .method<&LabelPreviewCell::settingChanged>("settingChanged:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = LabelPreviewCell::class_();

namespace {

// The sample row's text, laid out as Mail lays out its rows.
constexpr CGFloat kTextLeft = 28;
constexpr CGFloat kRightMargin = 8;

Ref<UILabel> makeLabel(UIView* parent, Ref<UIFont> font, Ref<UIColor> colour, const char* text) {
    auto label = UILabel::withFrame(CGRectZero);
    label->setFont(font);
    label->setTextColor(colour);
    label->setBackgroundColor(UIColor::clearColor());
    label->setText(NSString::from(text));
    parent->addSubview(label);
    return label;
}

Ref<UIColor> defaultDateColour() {
    const float* c = LabelShapes::kDefaultDateColour;
    return UIColor::colorWithRed(c[0], c[1], c[2], c[3]);
}

}  // namespace

LabelPreviewCell::LabelPreviewCell() = default;

LabelPreviewCell::~LabelPreviewCell() { NSNotificationCenter::defaultCenter()->removeObserver(this); }

CGFloat LabelPreviewCell::height() { return LabelShapes::labelHeight(kMailRowHeight, kPreviewLines); }

UITableViewCell* LabelPreviewCell::initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    UITableViewCell::initWithStyle(style, reuseIdentifier);
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    UIView* content = contentView();
    sender_ = makeLabel(content, UIFont::boldSystemFontOfSize(16), UIColor::blackColor(), "");
    subject_ = makeLabel(content, UIFont::systemFontOfSize(14), UIColor::blackColor(), "Your label in Mail");
    summary_ = makeLabel(content, UIFont::systemFontOfSize(12), UIColor::grayColor(),
                         "Each message row shows the colour of its address in the style chosen above.");
    summary_->setNumberOfLines(kPreviewLines);
    date_ = makeLabel(content, UIFont::systemFontOfSize(14), defaultDateColour(), "Dec 7");
    date_->setTextAlignment(UITextAlignmentRight);
    labelStyle_ = static_cast<int>(NSUserDefaults::standardUserDefaults()->integerForKey(NSString::from(kStyleKey)));
    NSNotificationCenter::defaultCenter()->addObserver(
        this, sel_registerName("settingChanged:"), NSString::from(QLTAppSettingsViewController::kAppSettingChanged),
        nullptr);
    showStyle();
    return this;
}

void LabelPreviewCell::setLabelStyle(int style) {
    labelStyle_ = style;
    showStyle();
}

void LabelPreviewCell::setSample(NSString* address, UIColor* colour) {
    sender_->setText(address ? Ref<NSString>(address) : NSString::from("No address has a colour yet"));
    colour_ = colour;
    showStyle();
}

void LabelPreviewCell::settingChanged(NSNotification* notification) {
    auto* key = objc::cast<NSString>(notification->object());
    if (!key || key->str() != kStyleKey) return;
    NSObject* value = notification->userInfo() ? notification->userInfo()->objectForKey(key) : nullptr;
    setLabelStyle(objc::sendIfAnswered<int>(value, "intValue"));
}

void LabelPreviewCell::showStyle() {
    // The hook's rules: a label view of the style's shape, coloured unless the
    // style colours the date instead; the tint lies over the row.
    if (label_) label_->removeFromSuperview();
    const LabelShapes::Shape shape = LabelShapes::shapeOf(labelStyle_);
    const CGRect b = bounds();
    const LabelShapes::Frame f = LabelShapes::frameOf(shape, b.size.width, height());
    label_ = UIView::withFrame(CGRectMake(f.x, f.y, f.width, f.height));
    label_->layer()->setCornerRadius(shape.cornerRadius);
    label_->setAutoresizingMask(shape.resizing);
    label_->setUserInteractionEnabled(false);
    const bool dateStyle = labelStyle_ == LabelShapes::kDateColour || labelStyle_ == LabelShapes::kDateBackground;
    if (colour_ && !dateStyle) {
        label_->setBackgroundColor(colour_);
        label_->setAlpha(shape.opacity);
    } else {
        label_->setBackgroundColor(UIColor::whiteColor());
        label_->setAlpha(labelStyle_ == LabelShapes::kTint ? 0 : shape.opacity);
    }
    if (labelStyle_ == LabelShapes::kTint) addSubview(label_);
    else insertSubview(label_, 0);  // behind the row's text, as the hook sends it to the back

    if (labelStyle_ == LabelShapes::kDateColour) date_->setTextColor(colour_ ? colour_ : defaultDateColour());
    else date_->setTextColor(defaultDateColour());
    if (dateBackground_) dateBackground_->removeFromSuperview();
    dateBackground_ = nullptr;
    if (labelStyle_ == LabelShapes::kDateBackground) {
        dateBackground_ = UIView::withFrame(date_->bounds());
        dateBackground_->layer()->setCornerRadius(LabelShapes::kDateBackgroundRadius);
        dateBackground_->setAlpha(LabelShapes::kTintOpacity);
        dateBackground_->setBackgroundColor(colour_ ? colour_ : UIColor::clearColor());
        dateBackground_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        date_->addSubview(dateBackground_);
    }
    setNeedsLayout();
}

void LabelPreviewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    const CGFloat width = contentView()->bounds().size.width;
    const CGSize dateSize = NSStringDrawing::sizeWithFont(date_->text(), date_->font());
    date_->setFrame(CGRectMake(width - kRightMargin - dateSize.width, 5, dateSize.width, 18));
    sender_->setFrame(CGRectMake(kTextLeft, 3, date_->frame().origin.x - kTextLeft - 4, 20));
    subject_->setFrame(CGRectMake(kTextLeft, 23, width - kTextLeft - kRightMargin, 18));
    summary_->setFrame(CGRectMake(kTextLeft, 41, width - kTextLeft - kRightMargin,
                                  LabelShapes::kPreviewLineHeight * kPreviewLines));
    const LabelShapes::Frame f = LabelShapes::frameOf(LabelShapes::shapeOf(labelStyle_), bounds().size.width, height());
    if (label_) label_->setFrame(CGRectMake(f.x, f.y, f.width, f.height));
}
