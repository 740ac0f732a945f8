#include "UIKit/UIToolbar.h"

#include <algorithm>

#include "Foundation/NSArray.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UINavigationButton.h"
#include "objc/ClassBuilder.h"

Class UIToolbar::class_() {
    static Class cls =
        objc::ClassBuilder<UIToolbar>("UIToolbar", UIView::class_())
            .method<&UIToolbar::barStyle>("barStyle")
            .method<&UIToolbar::setBarStyle>("setBarStyle:")
            .method<&UIToolbar::isTranslucent>("isTranslucent")
            .method<&UIToolbar::items>("items")
            .method<static_cast<void (UIToolbar::*)(NSArray*)>(&UIToolbar::setItems)>("setItems:")
            .method<static_cast<void (UIToolbar::*)(NSArray*, bool)>(&UIToolbar::setItems)>("setItems:animated:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIToolbar::class_();

UIToolbar::UIToolbar() = default;
UIToolbar::~UIToolbar() = default;

UIView* UIToolbar::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    return this;
}

void UIToolbar::setBarStyle(NSInteger style) {
    barStyle_ = UIBarAppearance::styleFrom(style);
    setOpaque(!isTranslucent());
    setNeedsDisplay();
}

Ref<NSArray> UIToolbar::items() const {
    return make<NSArray>(std::vector<Ref<NSObject>>(items_.begin(), items_.end()));
}

void UIToolbar::setItems(NSArray* items) { setItems(items, false); }

void UIToolbar::setItems(NSArray* items, bool) {
    for (auto& button : buttons_)
        if (button) button->removeFromSuperview();
    items_.clear();
    buttons_.clear();
    NSUInteger count = items ? items->count() : 0;
    for (NSUInteger i = 0; i < count; ++i) {
        auto* item = objc::cast<UIBarButtonItem>(items->objectAtIndex(i));
        if (!item) continue;
        items_.emplace_back(item);
        Ref<UINavigationButton> button = item->isSpace() ? nullptr : UINavigationButton::forItem(item, false);
        if (button) addSubview(button);
        buttons_.push_back(button);
    }
    setNeedsLayout();
}

void UIToolbar::layoutSubviews() {
    CGRect b = bounds();
    CGFloat fixed = 0;
    int flexible = 0;
    std::vector<CGFloat> widths;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        CGFloat width = items_[i]->width();
        if (items_[i]->isFlexibleSpace()) {
            ++flexible;
            width = 0;
        } else if (buttons_[i] && width <= 0) {
            width = buttons_[i]->sizeThatFits(b.size).width;
        }
        widths.push_back(width);
        fixed += width;
    }
    CGFloat gaps = items_.empty() ? 0 : kSpacing * static_cast<CGFloat>(items_.size() - 1);
    CGFloat spare = std::max<CGFloat>(0, b.size.width - 2 * kMargin - gaps - fixed);
    CGFloat x = kMargin;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        CGFloat width = items_[i]->isFlexibleSpace() ? spare / static_cast<CGFloat>(flexible) : widths[i];
        if (buttons_[i]) {
            CGFloat height = UINavigationButton::kHeight;
            buttons_[i]->setFrame(CGRectMake(x, (b.size.height - height) / 2, width, height));
        }
        x += width + kSpacing;
    }
}

void UIToolbar::drawRect(CGRect) {
    UIBarAppearance::drawBackground(UIGraphicsGetCurrentContext(), bounds(), barStyle_);
}
