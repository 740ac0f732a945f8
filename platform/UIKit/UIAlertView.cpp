#include "UIKit/UIAlertView.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Foundation/NSMutableArray.h"
#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class UIAlertView::class_() {
    using A = UIAlertView;
    static Class cls =
        objc::ClassBuilder<A>("UIAlertView", UIView::class_())
            .method<static_cast<A* (A::*)(NSString*, NSString*, NSObject*, NSString*, NSArray*)>(&A::initWithTitle)>(
                "initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:")
            .method<&A::delegate>("delegate")
            .method<&A::setDelegate>("setDelegate:")
            .method<&A::title>("title")
            .method<&A::setTitle>("setTitle:")
            .method<&A::message>("message")
            .method<&A::setMessage>("setMessage:")
            .method<&A::addButtonWithTitle>("addButtonWithTitle:")
            .method<&A::numberOfButtons>("numberOfButtons")
            .method<&A::buttonTitleAtIndex>("buttonTitleAtIndex:")
            .method<&A::cancelButtonIndex>("cancelButtonIndex")
            .method<&A::isVisible>("isVisible")
            .method<&A::show>("show")
            .method<&A::dismissWithClickedButtonIndex>("dismissWithClickedButtonIndex:animated:")
            .method<&A::_buttonClicked>("_buttonClicked:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIAlertView::class_();

namespace {

const CGFloat kTitleTop = 16;
const CGFloat kTitleFontSize = 18;
const CGFloat kMessageFontSize = 16;
const CGFloat kMessageGap = 6;
const CGFloat kButtonsGap = 12;
const CGFloat kButtonSpacing = 6;
const CGFloat kBottomMargin = 15;
const CGFloat kCornerRadius = 10;
const CGFloat kButtonCornerRadius = 6;

// Retained for as long as they are shown.
std::vector<Ref<UIAlertView>>& shown() {
    static std::vector<Ref<UIAlertView>> alerts;
    return alerts;
}

Ref<UILabel> makeLabel(CGFloat fontSize, bool bold) {
    Ref<UILabel> label = UILabel::withFrame(CGRectZero);
    label->setBackgroundColor(UIColor::clearColor());
    label->setTextColor(UIColor::whiteColor());
    label->setTextAlignment(UITextAlignmentCenter);
    label->setNumberOfLines(0);
    label->setFont(bold ? UIFont::boldSystemFontOfSize(fontSize) : UIFont::systemFontOfSize(fontSize));
    return label;
}

// The height a label's text takes at the alert's inner width; none for no
// text.
CGFloat textHeight(UILabel* label) {
    NSString* text = label->text();
    if (!text || text->str().empty()) return 0;
    CGSize size = NSStringDrawing::sizeWithFont(
        text, label->font(), CGSizeMake(UIAlertView::kWidth - 2 * UIAlertView::kMargin,
                                        std::numeric_limits<CGFloat>::infinity()));
    return size.height;
}

}  // namespace

UIAlertView::UIAlertView() : titleLabel_(makeLabel(kTitleFontSize, true)), messageLabel_(makeLabel(kMessageFontSize, false)) {
    setBackgroundColor(UIColor::colorWithRed(0.07f, 0.13f, 0.32f, 0.94f));
    layer()->setCornerRadius(kCornerRadius);
    addSubview(titleLabel_);
    addSubview(messageLabel_);
}

UIAlertView::~UIAlertView() = default;

UIAlertView* UIAlertView::initWithTitle(NSString* title, NSString* message, NSObject* delegate,
                                        NSString* cancelButtonTitle, NSArray* otherButtonTitles) {
    initWithFrame(CGRectMake(0, 0, kWidth, 0));
    setTitle(title);
    setMessage(message);
    delegate_ = delegate;
    if (cancelButtonTitle) cancelButtonIndex_ = addButtonWithTitle(cancelButtonTitle);
    const NSUInteger count = otherButtonTitles ? otherButtonTitles->count() : 0;
    for (NSUInteger i = 0; i < count; ++i) {
        if (auto* other = objc::cast<NSString>(otherButtonTitles->objectAtIndex(i))) addButtonWithTitle(other);
    }
    return this;
}

UIAlertView* UIAlertView::initWithTitle(NSString* title, NSString* message, NSObject* delegate,
                                        NSString* cancelButtonTitle, std::initializer_list<NSString*> otherButtonTitles) {
    Ref<NSMutableArray> others = NSMutableArray::array();
    for (NSString* other : otherButtonTitles) {
        if (other) others->addObject(other);
    }
    return initWithTitle(title, message, delegate, cancelButtonTitle, others);
}

NSString* UIAlertView::title() const { return titleLabel_->text(); }

void UIAlertView::setTitle(NSString* title) {
    titleLabel_->setText(title);
    if (visible_) arrange();
}

NSString* UIAlertView::message() const { return messageLabel_->text(); }

void UIAlertView::setMessage(NSString* message) {
    messageLabel_->setText(message);
    if (visible_) arrange();
}

NSInteger UIAlertView::addButtonWithTitle(NSString* title) {
    if (!title) return -1;
    Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
    const auto index = static_cast<NSInteger>(buttons_.size());
    button->setTag(index);
    button->setTitle(title, UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setBackgroundColor(UIColor::colorWithRed(0.3f, 0.37f, 0.55f, 1));
    button->layer()->setCornerRadius(kButtonCornerRadius);
    button->setShowsTouchWhenHighlighted(true);
    button->addTarget(this, sel_registerName("_buttonClicked:"), UIControlEventTouchUpInside);
    addSubview(button);
    buttons_.push_back(button);
    if (visible_) arrange();
    return index;
}

UIButton* UIAlertView::buttonAtIndex(NSInteger index) const {
    if (index < 0 || index >= numberOfButtons()) return nullptr;
    return buttons_[static_cast<std::size_t>(index)];
}

NSString* UIAlertView::buttonTitleAtIndex(NSInteger index) const {
    UIButton* button = buttonAtIndex(index);
    return button ? button->titleForState(UIControlStateNormal) : nullptr;
}

void UIAlertView::arrange() {
    const CGFloat inner = kWidth - 2 * kMargin;
    CGFloat y = kTitleTop;
    const CGFloat titleHeight = textHeight(titleLabel_);
    titleLabel_->setFrame(CGRectMake(kMargin, y, inner, titleHeight));
    y += titleHeight;
    const CGFloat messageHeight = textHeight(messageLabel_);
    if (messageHeight > 0) y += kMessageGap;
    messageLabel_->setFrame(CGRectMake(kMargin, y, inner, messageHeight));
    y += messageHeight + kButtonsGap;
    if (buttons_.size() == 2) {
        const CGFloat half = (inner - kButtonSpacing) / 2;
        buttons_[0]->setFrame(CGRectMake(kMargin, y, half, kButtonHeight));
        buttons_[1]->setFrame(CGRectMake(kMargin + half + kButtonSpacing, y, half, kButtonHeight));
        y += kButtonHeight + kButtonSpacing;
    } else {
        for (const auto& button : buttons_) {
            button->setFrame(CGRectMake(kMargin, y, inner, kButtonHeight));
            y += kButtonHeight + kButtonSpacing;
        }
    }
    if (!buttons_.empty()) y -= kButtonSpacing;
    const CGFloat height = std::ceil(y + kBottomMargin);

    // Centred in the part of the window that the keyboard leaves free.
    CGRect area = cover_ ? cover_->bounds() : CGRectMake(0, 0, kWidth, height);
    if (UIKeyboard* keyboard = UIKeyboard::activeKeyboard(); keyboard && cover_ && keyboard->window() == cover_->window())
        area.size.height = std::max<CGFloat>(height, keyboard->frame().origin.y - area.origin.y);
    setFrame(CGRectMake(std::floor(area.origin.x + (area.size.width - kWidth) / 2),
                        std::floor(area.origin.y + (area.size.height - height) / 2), kWidth, height));
}

void UIAlertView::show() {
    if (visible_) return;
    visible_ = true;
    shown().emplace_back(this);
    UIApplication* app = UIApplication::sharedApplication();
    if (UIWindow* window = app ? app->keyWindow() : nullptr) {
        cover_ = UIView::withFrame(window->bounds());
        cover_->setBackgroundColor(UIColor::colorWithWhite(0, 0.4f));
        cover_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        window->addSubview(cover_);
        cover_->addSubview(this);
        UIKeyboard::bringToFront();
    }
    arrange();
}

void UIAlertView::dismissWithClickedButtonIndex(NSInteger index, bool) {
    if (!visible_) return;
    Ref<UIAlertView> keep(this);
    tell(kWillDismiss, index);
    if (auto* editing = objc::cast<UIView>(UIResponder::firstResponder()); editing && editing->isDescendantOfView(this))
        editing->resignFirstResponder();
    visible_ = false;
    removeFromSuperview();
    if (cover_) cover_->removeFromSuperview();
    cover_ = nullptr;
    auto& alerts = shown();
    alerts.erase(std::remove_if(alerts.begin(), alerts.end(), [this](const Ref<UIAlertView>& a) { return a.get() == this; }),
                 alerts.end());
    tell(kDidDismiss, index);
}

std::vector<UIAlertView*> UIAlertView::visibleAlerts() {
    std::vector<UIAlertView*> alerts;
    for (const auto& alert : shown()) alerts.push_back(alert);
    return alerts;
}

void UIAlertView::_buttonClicked(UIButton* button) {
    if (!button || !visible_) return;
    Ref<UIAlertView> keep(this);
    tell(kClickedButton, button->tag());
    dismissWithClickedButtonIndex(button->tag(), true);
}

void UIAlertView::tell(const char* selector, NSInteger index) {
    SEL s = sel_registerName(selector);
    if (delegate_ && delegate_->respondsToSelector(s)) objc::send<void, id, NSInteger>(delegate_, s, this, index);
}
