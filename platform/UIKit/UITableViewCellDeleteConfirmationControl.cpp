#include "UIKit/UITableViewCellDeleteConfirmationControl.h"

#include <algorithm>

#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "QuartzCore/CALayer.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

namespace {

constexpr CGFloat kFontSize = 14;
constexpr CGFloat kCornerRadius = 6;

Ref<UIColor> red(bool pressed) {
    CGFloat shade = pressed ? 0.7f : 1;
    return UIColor::colorWithRed(0.8f * shade, 0.1f * shade, 0.1f * shade, 1);
}

}  // namespace

Class UITableViewCellDeleteConfirmationControl::class_() {
    using C = UITableViewCellDeleteConfirmationControl;
    static Class cls = objc::ClassBuilder<C>("UITableViewCellDeleteConfirmationControl", UIView::class_())
                           .method<&C::title>("title")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITableViewCellDeleteConfirmationControl::class_();

UITableViewCellDeleteConfirmationControl::UITableViewCellDeleteConfirmationControl() = default;
UITableViewCellDeleteConfirmationControl::~UITableViewCellDeleteConfirmationControl() = default;

Ref<UITableViewCellDeleteConfirmationControl> UITableViewCellDeleteConfirmationControl::forRow(
    CGSize rowSize, NSString* title, std::function<void()> onTap) {
    auto control = UIView::withFrame<UITableViewCellDeleteConfirmationControl>(CGRectZero);
    control->onTap_ = std::move(onTap);
    control->label_ = UILabel::withFrame(CGRectZero);
    control->label_->setText(title);
    control->label_->setFont(UIFont::boldSystemFontOfSize(kFontSize));
    control->label_->setTextColor(UIColor::whiteColor());
    control->label_->setBackgroundColor(UIColor::clearColor());
    control->label_->setTextAlignment(UITextAlignmentCenter);
    CGFloat width = NSStringDrawing::sizeWithFont(title, control->label_->font()).width + 2 * kPadding;
    width = std::min(width, std::max<CGFloat>(0, rowSize.width - 2 * kMargin));
    control->setFrame(
        CGRectMake(rowSize.width - kMargin - width, (rowSize.height - kHeight) / 2, width, kHeight));
    control->label_->setFrame(control->bounds());
    control->label_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    control->addSubview(control->label_);
    control->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    control->setBackgroundColor(red(false));
    control->layer()->setCornerRadius(kCornerRadius);
    return control;
}

NSString* UITableViewCellDeleteConfirmationControl::title() const { return label_ ? label_->text() : nullptr; }

void UITableViewCellDeleteConfirmationControl::setPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    setBackgroundColor(red(pressed));
}

void UITableViewCellDeleteConfirmationControl::touchesBegan(NSSet*, UIEvent*) { setPressed(true); }

bool UITableViewCellDeleteConfirmationControl::inside(NSSet* touches) {
    auto* touch = objc::cast<UITouch>(touches ? touches->anyObject() : nullptr);
    return touch && CGRectContainsPoint(bounds(), touch->locationInView(this));
}

void UITableViewCellDeleteConfirmationControl::touchesMoved(NSSet* touches, UIEvent*) { setPressed(inside(touches)); }

void UITableViewCellDeleteConfirmationControl::touchesEnded(NSSet* touches, UIEvent*) {
    bool ended = inside(touches);
    setPressed(false);
    if (!ended || !onTap_) return;
    Ref<UITableViewCellDeleteConfirmationControl> keep(this);
    std::function<void()> tap = onTap_;
    tap();
}

void UITableViewCellDeleteConfirmationControl::touchesCancelled(NSSet*, UIEvent*) { setPressed(false); }
