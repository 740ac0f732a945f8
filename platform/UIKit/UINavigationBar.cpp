#include "UIKit/UINavigationBar.h"

#include <algorithm>

#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIGraphics.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationButton.h"
#include "UIKit/UINavigationItem.h"
#include "objc/ClassBuilder.h"

Class UINavigationBar::class_() {
    static Class cls = objc::ClassBuilder<UINavigationBar>("UINavigationBar", UIView::class_())
                           .method<&UINavigationBar::barStyle>("barStyle")
                           .method<&UINavigationBar::setBarStyle>("setBarStyle:")
                           .method<&UINavigationBar::delegate>("delegate")
                           .method<&UINavigationBar::setDelegate>("setDelegate:")
                           .method<&UINavigationBar::items>("items")
                           .method<&UINavigationBar::setItems>("setItems:animated:")
                           .method<&UINavigationBar::topItem>("topItem")
                           .method<&UINavigationBar::backItem>("backItem")
                           .method<&UINavigationBar::pushNavigationItem>("pushNavigationItem:animated:")
                           .method<&UINavigationBar::popNavigationItemAnimated>("popNavigationItemAnimated:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINavigationBar::class_();

UINavigationBar::UINavigationBar() = default;

UINavigationBar::~UINavigationBar() {
    for (auto& item : items_)
        if (item->navigationBar() == this) item->setNavigationBar(nullptr);
}

UIView* UINavigationBar::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    return this;
}

void UINavigationBar::setBarStyle(NSInteger style) {
    barStyle_ = UIBarAppearance::styleFrom(style);
    setOpaque(barStyle_ != UIBarStyleBlackTranslucent);
    setNeedsDisplay();
}

Ref<NSArray> UINavigationBar::items() const {
    return make<NSArray>(std::vector<Ref<NSObject>>(items_.begin(), items_.end()));
}

void UINavigationBar::setItems(NSArray* items, bool) {
    for (auto& item : items_) item->setNavigationBar(nullptr);
    items_.clear();
    NSUInteger count = items ? items->count() : 0;
    for (NSUInteger i = 0; i < count; ++i) {
        auto* item = objc::cast<UINavigationItem>(items->objectAtIndex(i));
        if (!item || item->navigationBar() || std::find(items_.begin(), items_.end(), item) != items_.end()) continue;
        item->setNavigationBar(this);
        items_.emplace_back(item);
    }
    showTopItem();
}

UINavigationItem* UINavigationBar::topItem() const { return items_.empty() ? nullptr : items_.back().get(); }

UINavigationItem* UINavigationBar::backItem() const {
    return items_.size() < 2 ? nullptr : items_[items_.size() - 2].get();
}

void UINavigationBar::pushNavigationItem(UINavigationItem* item, bool) {
    if (!item || item->navigationBar()) return;
    item->setNavigationBar(this);
    items_.emplace_back(item);
    showTopItem();
}

Ref<UINavigationItem> UINavigationBar::popNavigationItemAnimated(bool) {
    if (items_.empty()) return nullptr;
    Ref<UINavigationItem> top = items_.back();
    items_.pop_back();
    top->setNavigationBar(nullptr);
    showTopItem();
    return top;
}

void UINavigationBar::itemsChanged() { showTopItem(); }

void UINavigationBar::showTopItem() {
    for (UIView* view : {static_cast<UIView*>(titleLabel_.get()), static_cast<UIView*>(left_.get()),
                         static_cast<UIView*>(right_.get())})
        if (view) view->removeFromSuperview();
    titleLabel_ = nullptr;
    left_ = nullptr;
    right_ = nullptr;
    UINavigationItem* top = topItem();
    if (!top) return;

    titleLabel_ = UILabel::withFrame(CGRectZero);
    titleLabel_->setText(top->title());
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(kTitleFontSize));
    titleLabel_->setTextColor(UIColor::whiteColor());
    titleLabel_->setBackgroundColor(UIColor::clearColor());
    titleLabel_->setTextAlignment(UITextAlignmentCenter);
    addSubview(titleLabel_);

    if (UIBarButtonItem* item = top->leftBarButtonItem()) {
        left_ = UINavigationButton::forItem(item, true);
    } else if (UINavigationItem* below = backItem(); below && !top->hidesBackButton()) {
        UIBarButtonItem* back = below->backBarButtonItem();
        NSString* title = back && back->title() ? back->title() : below->title();
        Ref<NSString> shown = title ? Ref<NSString>(title) : "Back"_ns;
        left_ = UINavigationButton::backButton(shown, [this] { backTapped(); });
    }
    if (left_) addSubview(left_);
    if (UIBarButtonItem* item = top->rightBarButtonItem()) {
        right_ = UINavigationButton::forItem(item, true);
        addSubview(right_);
    }
    setNeedsLayout();
    setNeedsDisplay();
}

void UINavigationBar::backTapped() {
    Ref<UINavigationBar> keep(this);
    UINavigationItem* top = topItem();
    if (!top) return;
    SEL shouldPop = sel_registerName("navigationBar:shouldPopItem:");
    if (delegate_ && delegate_->respondsToSelector(shouldPop) &&
        !objc::send<BOOL, id, id>(delegate_, shouldPop, this, top))
        return;
    // The delegate may have popped it already.
    if (topItem() == top) popNavigationItemAnimated(true);
}

void UINavigationBar::layoutSubviews() {
    CGRect b = bounds();
    CGFloat buttonTop = (b.size.height - UINavigationButton::kHeight) / 2;
    CGFloat leftEdge = kMargin, rightEdge = b.size.width - kMargin;
    if (left_) {
        CGSize size = left_->sizeThatFits(b.size);
        left_->setFrame(CGRectMake(kMargin, buttonTop, size.width, size.height));
        leftEdge = kMargin + size.width + kMargin;
    }
    if (right_) {
        CGSize size = right_->sizeThatFits(b.size);
        right_->setFrame(CGRectMake(b.size.width - kMargin - size.width, buttonTop, size.width, size.height));
        rightEdge = b.size.width - kMargin - size.width - kMargin;
    }
    if (titleLabel_) {
        // Centred on the bar, as wide as the buttons leave room for on both sides.
        CGFloat half = std::max<CGFloat>(0, std::min(b.size.width / 2 - leftEdge, rightEdge - b.size.width / 2));
        titleLabel_->setFrame(CGRectMake(b.size.width / 2 - half, 0, 2 * half, b.size.height));
    }
}

void UINavigationBar::drawRect(CGRect) {
    UIBarAppearance::drawBackground(UIGraphicsGetCurrentContext(), bounds(), barStyle_);
}
