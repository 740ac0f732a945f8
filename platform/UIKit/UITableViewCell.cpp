#include "UIKit/UITableViewCell.h"

#include <algorithm>

#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINibDecoder.h"
#include "objc/ClassBuilder.h"

namespace {

// Text colours of the value and caption labels of the platform's styles.
Ref<UIColor> valueBlue() { return UIColor::colorWithRed(0.22f, 0.33f, 0.53f, 1); }
Ref<UIColor> captionBlue() { return UIColor::colorWithRed(0.32f, 0.4f, 0.57f, 1); }
Ref<UIColor> selectionColour(UITableViewCellSelectionStyle style) {
    return style == UITableViewCellSelectionStyleGray ? UIColor::colorWithWhite(0.6f, 1)
                                                      : UIColor::colorWithRed(0.01f, 0.44f, 0.91f, 1);
}

const CGFloat kCaptionWidth = 67;

}  // namespace

Class UITableViewCell::class_() {
    using C = UITableViewCell;
    static Class cls =
        objc::ClassBuilder<C>("UITableViewCell", UIView::class_())
            .method<&C::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&C::initWithCoder>("initWithCoder:")
            .method<&C::reuseIdentifier>("reuseIdentifier")
            .method<&C::contentView>("contentView")
            .method<&C::textLabel>("textLabel")
            .method<&C::detailTextLabel>("detailTextLabel")
            .method<&C::selectionStyle>("selectionStyle")
            .method<&C::setSelectionStyle>("setSelectionStyle:")
            .method<&C::isSelected>("isSelected")
            .method<static_cast<void (C::*)(bool)>(&C::setSelected)>("setSelected:")
            .method<static_cast<void (C::*)(bool, bool)>(&C::setSelected)>("setSelected:animated:")
            .method<&C::isHighlighted>("isHighlighted")
            .method<static_cast<void (C::*)(bool)>(&C::setHighlighted)>("setHighlighted:")
            .method<static_cast<void (C::*)(bool, bool)>(&C::setHighlighted)>("setHighlighted:animated:")
            .method<&C::accessoryType>("accessoryType")
            .method<&C::setAccessoryType>("setAccessoryType:")
            .method<&C::accessoryView>("accessoryView")
            .method<&C::setAccessoryView>("setAccessoryView:")
            .method<&C::prepareForReuse>("prepareForReuse")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITableViewCell::class_();

UITableViewCell::UITableViewCell() = default;
UITableViewCell::~UITableViewCell() = default;

UIView* UITableViewCell::initWithFrame(CGRect frame) {
    initWithStyle(UITableViewCellStyleDefault, nullptr);
    setFrame(frame);
    return this;
}

UITableViewCell* UITableViewCell::initWithCoder(UINibDecoder* coder) {
    auto* style = coder ? objc::cast<NSNumber>(coder->decodeObjectForKey("style"_ns)) : nullptr;
    auto* identifier = coder ? objc::cast<NSString>(coder->decodeObjectForKey("reuseIdentifier"_ns)) : nullptr;
    // Sent by selector, so that a subclass's initializer runs.
    objc::send<id, NSInteger, id>(this, "initWithStyle:reuseIdentifier:", style ? style->integerValue() : 0,
                                  static_cast<id>(identifier));
    if (coder && coder->containsValueForKey("frame"_ns)) setFrame(coder->decodeFrame());
    return this;
}

UITableViewCell* UITableViewCell::initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    UIView::initWithFrame(CGRectMake(0, 0, kDefaultWidth, kDefaultHeight));
    style_ = style >= UITableViewCellStyleDefault && style <= UITableViewCellStyleSubtitle
                 ? static_cast<UITableViewCellStyle>(style)
                 : UITableViewCellStyleDefault;
    // The cell keeps its own copy of the identifier.
    reuseIdentifier_ = reuseIdentifier ? NSString::from(reuseIdentifier->str()) : nullptr;
    setBackgroundColor(UIColor::whiteColor());
    if (!contentView_) {
        contentView_ = UIView::withFrame(bounds());
        contentView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        addSubview(contentView_);
    }
    return this;
}

UILabel* UITableViewCell::textLabel() {
    if (!textLabel_ && contentView_) {
        textLabel_ = UILabel::withFrame(CGRectZero);
        switch (style_) {
            case UITableViewCellStyleDefault: textLabel_->setFont(UIFont::boldSystemFontOfSize(20)); break;
            case UITableViewCellStyleValue1: textLabel_->setFont(UIFont::boldSystemFontOfSize(17)); break;
            case UITableViewCellStyleValue2:
                textLabel_->setFont(UIFont::boldSystemFontOfSize(12));
                textLabel_->setTextColor(captionBlue());
                textLabel_->setTextAlignment(UITextAlignmentRight);
                break;
            case UITableViewCellStyleSubtitle: textLabel_->setFont(UIFont::boldSystemFontOfSize(18)); break;
        }
        textLabel_->setHighlightedTextColor(UIColor::whiteColor());
        textLabel_->setHighlighted(highlighted_ || selected_);
        contentView_->addSubview(textLabel_);
        setNeedsLayout();
    }
    return textLabel_;
}

UILabel* UITableViewCell::detailTextLabel() {
    if (!detailTextLabel_ && contentView_ && style_ != UITableViewCellStyleDefault) {
        detailTextLabel_ = UILabel::withFrame(CGRectZero);
        switch (style_) {
            case UITableViewCellStyleValue1:
                detailTextLabel_->setFont(UIFont::systemFontOfSize(17));
                detailTextLabel_->setTextColor(valueBlue());
                detailTextLabel_->setTextAlignment(UITextAlignmentRight);
                break;
            case UITableViewCellStyleValue2: detailTextLabel_->setFont(UIFont::boldSystemFontOfSize(15)); break;
            default:
                detailTextLabel_->setFont(UIFont::systemFontOfSize(14));
                detailTextLabel_->setTextColor(UIColor::grayColor());
                break;
        }
        detailTextLabel_->setHighlightedTextColor(UIColor::whiteColor());
        detailTextLabel_->setHighlighted(highlighted_ || selected_);
        contentView_->addSubview(detailTextLabel_);
        setNeedsLayout();
    }
    return detailTextLabel_;
}

void UITableViewCell::setSelectionStyle(NSInteger style) {
    selectionStyle_ = style >= UITableViewCellSelectionStyleNone && style <= UITableViewCellSelectionStyleGray
                          ? static_cast<UITableViewCellSelectionStyle>(style)
                          : UITableViewCellSelectionStyleBlue;
    showSelectionLook();
}

void UITableViewCell::setSelected(bool selected) { setSelected(selected, false); }

void UITableViewCell::setSelected(bool selected, bool) {
    selected_ = selected;
    showSelectionLook();
}

void UITableViewCell::setHighlighted(bool highlighted) { setHighlighted(highlighted, false); }

void UITableViewCell::setHighlighted(bool highlighted, bool) {
    highlighted_ = highlighted;
    showSelectionLook();
}

void UITableViewCell::showSelectionLook() {
    const bool on = (selected_ || highlighted_) && selectionStyle_ != UITableViewCellSelectionStyleNone;
    if (textLabel_) textLabel_->setHighlighted(on);
    if (detailTextLabel_) detailTextLabel_->setHighlighted(on);
    if (!on) {
        if (selectedBackground_) selectedBackground_->removeFromSuperview();
        return;
    }
    if (!selectedBackground_) {
        selectedBackground_ = UIView::withFrame(bounds());
        selectedBackground_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    }
    selectedBackground_->setFrame(bounds());
    selectedBackground_->setBackgroundColor(selectionColour(selectionStyle_));
    // Beneath the content, above the cell's own background.
    insertSubview(selectedBackground_, 0);
}

void UITableViewCell::setAccessoryType(NSInteger type) {
    accessoryType_ = type >= UITableViewCellAccessoryNone && type <= UITableViewCellAccessoryCheckmark
                         ? static_cast<UITableViewCellAccessoryType>(type)
                         : UITableViewCellAccessoryNone;
    makeAccessoryMark();
}

void UITableViewCell::setAccessoryView(UIView* view) {
    if (accessoryView_ == view) return;
    if (accessoryView_) accessoryView_->removeFromSuperview();
    accessoryView_ = view;
    if (view) addSubview(view);
    makeAccessoryMark();
}

void UITableViewCell::makeAccessoryMark() {
    if (accessoryMark_) accessoryMark_->removeFromSuperview();
    accessoryMark_ = nullptr;
    // A view of the caller's own takes the place of the mark.
    if (!accessoryView_ && accessoryType_ != UITableViewCellAccessoryNone) {
        accessoryMark_ = UILabel::withFrame(CGRectZero);
        accessoryMark_->setTextAlignment(UITextAlignmentCenter);
        accessoryMark_->setHighlightedTextColor(UIColor::whiteColor());
        switch (accessoryType_) {
            case UITableViewCellAccessoryCheckmark:
                accessoryMark_->setText(NSString::from("\u2713"));
                accessoryMark_->setFont(UIFont::boldSystemFontOfSize(20));
                accessoryMark_->setTextColor(valueBlue());
                break;
            case UITableViewCellAccessoryDetailDisclosureButton:
                accessoryMark_->setText(NSString::from("\u203A"));
                accessoryMark_->setFont(UIFont::boldSystemFontOfSize(26));
                accessoryMark_->setTextColor(UIColor::colorWithRed(0.14f, 0.44f, 0.85f, 1));
                break;
            default:
                accessoryMark_->setText(NSString::from("\u203A"));
                accessoryMark_->setFont(UIFont::boldSystemFontOfSize(26));
                accessoryMark_->setTextColor(UIColor::grayColor());
                break;
        }
        addSubview(accessoryMark_);
    }
    setNeedsLayout();
}

void UITableViewCell::prepareForReuse() {
    setHighlighted(false, false);
    setSelected(false, false);
}

void UITableViewCell::layoutSubviews() {
    const CGRect b = bounds();
    CGFloat accessory = 0;
    if (accessoryView_) {
        CGRect f = accessoryView_->frame();
        accessory = f.size.width + 2 * kLabelInset;
        accessoryView_->setFrame(CGRectMake(b.size.width - kLabelInset - f.size.width,
                                            (b.size.height - f.size.height) / 2, f.size.width, f.size.height));
    } else if (accessoryMark_) {
        accessory = kAccessoryWidth;
        accessoryMark_->setFrame(CGRectMake(b.size.width - kAccessoryWidth, 0, kAccessoryWidth - 5, b.size.height));
    }
    if (contentView_) {
        contentView_->setFrame(CGRectMake(0, 0, std::max<CGFloat>(0, b.size.width - accessory), b.size.height));
    }
    if (selectedBackground_) selectedBackground_->setFrame(b);

    const CGRect c = contentView_ ? contentView_->bounds() : CGRectZero;
    const CGFloat width = std::max<CGFloat>(0, c.size.width - 2 * kLabelInset);
    const CGFloat height = c.size.height;
    switch (style_) {
        case UITableViewCellStyleDefault:
            if (textLabel_) textLabel_->setFrame(CGRectMake(kLabelInset, 0, width, height));
            break;
        case UITableViewCellStyleValue1: {
            CGFloat textWidth = 0;
            if (textLabel_) {
                textWidth = std::min(width, textLabel_->sizeThatFits(CGSizeMake(width, height)).width);
                textLabel_->setFrame(CGRectMake(kLabelInset, 0, textWidth, height));
            }
            if (detailTextLabel_) {
                CGFloat x = kLabelInset + textWidth + kLabelInset;
                detailTextLabel_->setFrame(
                    CGRectMake(x, 0, std::max<CGFloat>(0, c.size.width - kLabelInset - x), height));
            }
            break;
        }
        case UITableViewCellStyleValue2: {
            if (textLabel_) textLabel_->setFrame(CGRectMake(kLabelInset, 0, kCaptionWidth, height));
            CGFloat x = kLabelInset + kCaptionWidth + 6;
            if (detailTextLabel_)
                detailTextLabel_->setFrame(
                    CGRectMake(x, 0, std::max<CGFloat>(0, c.size.width - kLabelInset - x), height));
            break;
        }
        case UITableViewCellStyleSubtitle:
            if (textLabel_) textLabel_->setFrame(CGRectMake(kLabelInset, 2, width, height * 0.5f));
            if (detailTextLabel_)
                detailTextLabel_->setFrame(
                    CGRectMake(kLabelInset, height * 0.5f, width, std::max<CGFloat>(0, height * 0.5f - 2)));
            break;
    }
}
