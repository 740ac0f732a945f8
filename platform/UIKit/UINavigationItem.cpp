#include "UIKit/UINavigationItem.h"

#include "Foundation/NSString.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UINavigationBar.h"
#include "objc/ClassBuilder.h"

Class UINavigationItem::class_() {
    static Class cls = objc::ClassBuilder<UINavigationItem>("UINavigationItem", NSObject::class_())
                           .method<&UINavigationItem::initWithTitle>("initWithTitle:")
                           .method<&UINavigationItem::title>("title")
                           .method<&UINavigationItem::setTitle>("setTitle:")
                           .method<&UINavigationItem::leftBarButtonItem>("leftBarButtonItem")
                           .method<&UINavigationItem::setLeftBarButtonItem>("setLeftBarButtonItem:")
                           .method<&UINavigationItem::rightBarButtonItem>("rightBarButtonItem")
                           .method<&UINavigationItem::setRightBarButtonItem>("setRightBarButtonItem:")
                           .method<&UINavigationItem::backBarButtonItem>("backBarButtonItem")
                           .method<&UINavigationItem::setBackBarButtonItem>("setBackBarButtonItem:")
                           .method<&UINavigationItem::hidesBackButton>("hidesBackButton")
                           .method<&UINavigationItem::setHidesBackButton>("setHidesBackButton:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINavigationItem::class_();

UINavigationItem::UINavigationItem() = default;
UINavigationItem::~UINavigationItem() = default;

UINavigationItem* UINavigationItem::initWithTitle(NSString* title) {
    setTitle(title);
    return this;
}

Ref<UINavigationItem> UINavigationItem::withTitle(NSString* title) {
    auto item = make<UINavigationItem>();
    item->initWithTitle(title);
    return item;
}

void UINavigationItem::setTitle(NSString* title) {
    title_ = title ? NSString::stringWithString(title) : nullptr;
    changed();
}

void UINavigationItem::setLeftBarButtonItem(UIBarButtonItem* item) {
    left_ = item;
    changed();
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item) {
    right_ = item;
    changed();
}

void UINavigationItem::setBackBarButtonItem(UIBarButtonItem* item) {
    back_ = item;
    changed();
}

void UINavigationItem::setHidesBackButton(bool hides) {
    hidesBackButton_ = hides;
    changed();
}

void UINavigationItem::changed() {
    if (bar_) bar_->itemsChanged();
}
