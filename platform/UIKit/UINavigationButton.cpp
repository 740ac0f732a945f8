#include "UIKit/UINavigationButton.h"

#include <algorithm>
#include <cmath>

#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UIImage.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

namespace {

constexpr CGFloat kCornerRadius = 5;

// A rounded rectangle; with `arrow`, its left end comes to a point.
void addButtonPath(CGContextRef c, CGRect r, bool arrow) {
    CGFloat left = r.origin.x, top = r.origin.y, right = CGRectGetMaxX(r), bottom = CGRectGetMaxY(r);
    CGFloat middle = top + r.size.height / 2;
    CGContextBeginPath(c);
    if (arrow) {
        CGFloat shoulder = left + UINavigationButton::kArrowWidth;
        CGContextMoveToPoint(c, left, middle);
        CGContextAddLineToPoint(c, shoulder, top);
        CGContextAddArcToPoint(c, right, top, right, bottom, kCornerRadius);
        CGContextAddArcToPoint(c, right, bottom, shoulder, bottom, kCornerRadius);
        CGContextAddLineToPoint(c, shoulder, bottom);
    } else {
        CGContextMoveToPoint(c, left + kCornerRadius, top);
        CGContextAddArcToPoint(c, right, top, right, bottom, kCornerRadius);
        CGContextAddArcToPoint(c, right, bottom, left, bottom, kCornerRadius);
        CGContextAddArcToPoint(c, left, bottom, left, top, kCornerRadius);
        CGContextAddArcToPoint(c, left, top, right, top, kCornerRadius);
    }
    CGContextClosePath(c);
}

}  // namespace

Class UINavigationButton::class_() {
    static Class cls = objc::ClassBuilder<UINavigationButton>("UINavigationButton", UIView::class_())
                           .method<&UINavigationButton::title>("title")
                           .method<&UINavigationButton::isHighlighted>("isHighlighted")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINavigationButton::class_();

UINavigationButton::UINavigationButton() { setOpaque(false); }

UINavigationButton::~UINavigationButton() = default;

Ref<UINavigationButton> UINavigationButton::forItem(UIBarButtonItem* item, bool bordered) {
    auto button = UIView::withFrame<UINavigationButton>(CGRectZero);
    button->item_ = item;
    button->bordered_ = bordered || item->style() != UIBarButtonItemStylePlain;
    button->makeLabel(item->title());
    button->sizeToFit();
    return button;
}

Ref<UINavigationButton> UINavigationButton::backButton(NSString* title, std::function<void()> onTap) {
    auto button = UIView::withFrame<UINavigationButton>(CGRectZero);
    button->back_ = true;
    button->onTap_ = std::move(onTap);
    button->makeLabel(title);
    button->sizeToFit();
    return button;
}

void UINavigationButton::makeLabel(NSString* title) {
    label_ = UILabel::withFrame(CGRectZero);
    label_->setText(title);
    label_->setFont(UIFont::boldSystemFontOfSize(kFontSize));
    label_->setTextColor(UIColor::whiteColor());
    label_->setBackgroundColor(UIColor::clearColor());
    label_->setTextAlignment(UITextAlignmentCenter);
    addSubview(label_);
}

NSString* UINavigationButton::title() const { return label_ ? label_->text() : nullptr; }

UIImage* UINavigationButton::image() const { return item_ ? item_->image() : nullptr; }

CGSize UINavigationButton::sizeThatFits(CGSize) const {
    CGFloat content = image() ? image()->size().width
                              : NSStringDrawing::sizeWithFont(title(), label_ ? label_->font() : nullptr).width;
    CGFloat width = content + 2 * kPadding + (back_ ? kArrowWidth / 2 : 0);
    return CGSizeMake(std::max(width, kMinimumWidth), kHeight);
}

void UINavigationButton::layoutSubviews() {
    CGRect b = bounds();
    // The arrow takes room from the text's side.
    CGFloat inset = back_ ? kArrowWidth / 2 : 0;
    if (label_) label_->setFrame(CGRectMake(inset, 0, b.size.width - inset, b.size.height));
}

void UINavigationButton::drawRect(CGRect) {
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect r = CGRectInset(bounds(), 0.5f, 0.5f);
    if (bordered_) drawBorder(c, r);
    else if (highlighted_) {
        // A plain toolbar item glows while touched.
        CGContextSetGrayFillColor(c, 1, 0.35f);
        addButtonPath(c, r, false);
        CGContextFillPath(c);
    }
    if (UIImage* picture = image()) {
        CGSize size = picture->size();
        CGSize box = bounds().size;
        picture->drawAtPoint(
            CGPointMake(std::round((box.width - size.width) / 2), std::round((box.height - size.height) / 2)));
    }
}

void UINavigationButton::drawBorder(CGContextRef c, CGRect r) const {
    bool done = item_ && item_->style() == UIBarButtonItemStyleDone;
    CGFloat shade = highlighted_ ? 0.6f : 1;
    if (done) CGContextSetRGBFillColor(c, 0.2f * shade, 0.4f * shade, 0.85f * shade, 1);
    else CGContextSetRGBFillColor(c, 0.3f * shade, 0.38f * shade, 0.5f * shade, 0.9f);
    addButtonPath(c, r, back_);
    CGContextFillPath(c);
    CGContextSetRGBStrokeColor(c, 0.1f, 0.15f, 0.2f, 0.8f);
    CGContextSetLineWidth(c, 1);
    addButtonPath(c, r, back_);
    CGContextStrokePath(c);
}

bool UINavigationButton::touchInside(NSSet* touches) const {
    auto* touch = touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr;
    return touch && CGRectContainsPoint(bounds(), touch->locationInView(const_cast<UINavigationButton*>(this)));
}

void UINavigationButton::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) return;
    highlighted_ = highlighted;
    setNeedsDisplay();
}

void UINavigationButton::touchesBegan(NSSet*, UIEvent*) {
    if (!item_ || item_->isEnabled()) setHighlighted(true);
}

void UINavigationButton::touchesMoved(NSSet* touches, UIEvent*) {
    if (!item_ || item_->isEnabled()) setHighlighted(touchInside(touches));
}

void UINavigationButton::touchesEnded(NSSet* touches, UIEvent*) {
    setHighlighted(false);
    if (!touchInside(touches)) return;
    Ref<UINavigationButton> keep(this);
    if (item_) item_->sendAction();
    else if (onTap_) onTap_();
}

void UINavigationButton::touchesCancelled(NSSet*, UIEvent*) { setHighlighted(false); }
