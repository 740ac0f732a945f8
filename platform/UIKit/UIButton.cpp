#include "UIKit/UIButton.h"

#include <algorithm>
#include <cmath>

#include "CoreGraphics/CGContextStateGuard.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UILabel.h"
#include "UIKit/ViewRenderer.h"
#include "objc/ClassBuilder.h"

Class UIButton::class_() {
    using B = UIButton;
    static Class cls = objc::ClassBuilder<B>("UIButton", UIControl::class_())
                           .classMethod<&B::buttonWithType>("buttonWithType:")
                           .method<&B::buttonType>("buttonType")
                           .method<&B::setTitle>("setTitle:forState:")
                           .method<&B::titleForState>("titleForState:")
                           .method<&B::setTitleColor>("setTitleColor:forState:")
                           .method<&B::titleColorForState>("titleColorForState:")
                           .method<&B::currentTitle>("currentTitle")
                           .method<&B::titleLabel>("titleLabel")
                           .method<&B::showsTouchWhenHighlighted>("showsTouchWhenHighlighted")
                           .method<&B::setShowsTouchWhenHighlighted>("setShowsTouchWhenHighlighted:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIButton::class_();

namespace {

// The rim of a rounded-rectangle button, and its title.
Ref<UIColor> rimColour() { return UIColor::colorWithRed(0.55f, 0.6f, 0.68f, 1); }
Ref<UIColor> roundedTitleColour() { return UIColor::colorWithRed(0.2f, 0.31f, 0.52f, 1); }
Ref<UIColor> pressedColour() { return UIColor::colorWithRed(0.09f, 0.39f, 0.88f, 1); }

// The state's entry, else the normal state's; nil when neither has one.
template <typename T>
T* entryForState(const std::map<UIControlState, Ref<T>>& entries, UIControlState state) {
    auto it = entries.find(state);
    if (it == entries.end()) it = entries.find(UIControlStateNormal);
    return it == entries.end() ? nullptr : it->second.get();
}

}  // namespace

UIButton::UIButton() : titleLabel_(UILabel::withFrame(CGRectZero)) {
    titleLabel_->setBackgroundColor(UIColor::clearColor());
    titleLabel_->setTextAlignment(UITextAlignmentCenter);
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(15));
    addSubview(titleLabel_);
}

UIButton::~UIButton() = default;

Ref<UIButton> UIButton::buttonWithType(NSInteger type) {
    auto button = UIView::withFrame<UIButton>(CGRectZero);
    button->type_ = type == UIButtonTypeCustom ? UIButtonTypeCustom : UIButtonTypeRoundedRect;
    if (button->type_ == UIButtonTypeRoundedRect) button->setBackgroundColor(UIColor::clearColor());
    button->updateTitle();
    return button;
}

void UIButton::setTitle(NSString* title, UIControlState state) {
    if (title) titles_[state] = NSString::from(title->str());
    else titles_.erase(state);
    updateTitle();
}

NSString* UIButton::titleForState(UIControlState state) const { return entryForState(titles_, state); }

void UIButton::setTitleColor(UIColor* color, UIControlState state) {
    if (color) titleColors_[state] = color;
    else titleColors_.erase(state);
    updateTitle();
}

UIColor* UIButton::titleColorForState(UIControlState state) const { return entryForState(titleColors_, state); }

void UIButton::updateTitle() {
    titleLabel_->setText(currentTitle());
    Ref<UIColor> colour = titleColorForState(state());
    if (!colour) {
        const bool pressed = type_ == UIButtonTypeRoundedRect && isHighlighted();
        colour = type_ == UIButtonTypeCustom || pressed ? UIColor::whiteColor() : roundedTitleColour();
    }
    titleLabel_->setTextColor(colour);
    setNeedsLayout();
    setNeedsDisplay();
}

void UIButton::setHighlighted(bool highlighted) {
    UIControl::setHighlighted(highlighted);
    updateTitle();
}

void UIButton::setEnabled(bool enabled) {
    UIControl::setEnabled(enabled);
    updateTitle();
}

void UIButton::setSelected(bool selected) {
    UIControl::setSelected(selected);
    updateTitle();
}

void UIButton::layoutSubviews() {
    CGRect b = bounds();
    CGSize text = titleLabel_->sizeThatFits(b.size);
    CGFloat width = std::min(text.width, b.size.width), height = std::min(text.height, b.size.height);
    titleLabel_->setFrame(CGRectMake(std::round(CGRectGetMidX(b) - width / 2), std::round(CGRectGetMidY(b) - height / 2),
                                     width, height));
}

void UIButton::drawRect(CGRect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    const CGRect b = bounds();
    if (type_ == UIButtonTypeRoundedRect) {
        ViewRenderer::addRoundedRectPath(c, CGRectInset(b, 0.5f, 0.5f), kRoundedCornerRadius);
        CGContextSetFillColorWithColor(c, isHighlighted() ? pressedColour()->CGColor() : UIColor::whiteColor()->CGColor());
        CGContextFillPath(c);
        ViewRenderer::addRoundedRectPath(c, CGRectInset(b, 0.5f, 0.5f), kRoundedCornerRadius);
        CGContextSetStrokeColorWithColor(c, rimColour()->CGColor());
        CGContextSetLineWidth(c, 1);
        CGContextStrokePath(c);
    }
    if (showsTouchWhenHighlighted_ && isHighlighted()) {
        cairo_t* cr = c->cairo();
        const double x = CGRectGetMidX(b), y = CGRectGetMidY(b);
        cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, kGlowRadius);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.9);
        cairo_pattern_add_color_stop_rgba(glow, 0.4, 1, 1, 1, 0.6);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
        {
            CGContextStateGuard saved(c);
            cairo_set_source(cr, glow);
            cairo_paint_with_alpha(cr, c->alpha());
        }
        cairo_pattern_destroy(glow);
    }
}
