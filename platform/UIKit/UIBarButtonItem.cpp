#include "UIKit/UIBarButtonItem.h"

#include <cstring>

#include "Foundation/NSString.h"
#include "UIKit/UIImage.h"
#include "objc/ClassBuilder.h"

namespace {

// The platform's own titles for the system items that show text.
const char* systemTitle(NSInteger item) {
    switch (item) {
        case UIBarButtonSystemItemDone: return "Done";
        case UIBarButtonSystemItemCancel: return "Cancel";
        case UIBarButtonSystemItemEdit: return "Edit";
        case UIBarButtonSystemItemSave: return "Save";
        case UIBarButtonSystemItemAdd: return "+";
        default: return nullptr;
    }
}

}  // namespace

Class UIBarButtonItem::class_() {
    static Class cls = objc::ClassBuilder<UIBarButtonItem>("UIBarButtonItem", NSObject::class_())
                           .method<&UIBarButtonItem::initWithTitle>("initWithTitle:style:target:action:")
                           .method<&UIBarButtonItem::initWithBarButtonSystemItem>(
                               "initWithBarButtonSystemItem:target:action:")
                           .method<&UIBarButtonItem::initWithImage>("initWithImage:style:target:action:")
                           .method<&UIBarButtonItem::title>("title")
                           .method<&UIBarButtonItem::image>("image")
                           .method<&UIBarButtonItem::setImage>("setImage:")
                           .method<&UIBarButtonItem::setTitle>("setTitle:")
                           .method<&UIBarButtonItem::style>("style")
                           .method<&UIBarButtonItem::setStyle>("setStyle:")
                           .method<&UIBarButtonItem::width>("width")
                           .method<&UIBarButtonItem::setWidth>("setWidth:")
                           .method<&UIBarButtonItem::tag>("tag")
                           .method<&UIBarButtonItem::setTag>("setTag:")
                           .method<&UIBarButtonItem::isEnabled>("isEnabled")
                           .method<&UIBarButtonItem::setEnabled>("setEnabled:")
                           .method<&UIBarButtonItem::target>("target")
                           .method<&UIBarButtonItem::setTarget>("setTarget:")
                           .method<&UIBarButtonItem::action>("action")
                           .method<&UIBarButtonItem::setAction>("setAction:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIBarButtonItem::class_();

UIBarButtonItem::UIBarButtonItem() = default;
UIBarButtonItem::~UIBarButtonItem() = default;

UIBarButtonItem* UIBarButtonItem::initWithTitle(NSString* title, NSInteger style, id target, SEL action) {
    setTitle(title);
    setStyle(style);
    target_ = target;
    action_ = action;
    return this;
}

UIBarButtonItem* UIBarButtonItem::initWithImage(UIImage* image, NSInteger style, id target, SEL action) {
    initWithTitle(nullptr, style, target, action);
    image_ = image;
    return this;
}

UIBarButtonItem* UIBarButtonItem::initWithBarButtonSystemItem(NSInteger systemItem, id target, SEL action) {
    systemItem_ = systemItem;
    const char* title = systemTitle(systemItem);
    initWithTitle(title ? NSString::from(title).get() : nullptr,
                  systemItem == UIBarButtonSystemItemDone ? UIBarButtonItemStyleDone : UIBarButtonItemStyleBordered,
                  target, action);
    if (isSpace()) style_ = UIBarButtonItemStylePlain;
    return this;
}

Ref<UIBarButtonItem> UIBarButtonItem::withTitle(NSString* title, NSInteger style, id target, SEL action) {
    auto item = make<UIBarButtonItem>();
    item->initWithTitle(title, style, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::withImage(UIImage* image, NSInteger style, id target, SEL action) {
    auto item = make<UIBarButtonItem>();
    item->initWithImage(image, style, target, action);
    return item;
}

Ref<UIBarButtonItem> UIBarButtonItem::withSystemItem(NSInteger systemItem, id target, SEL action) {
    auto item = make<UIBarButtonItem>();
    item->initWithBarButtonSystemItem(systemItem, target, action);
    return item;
}

void UIBarButtonItem::setTitle(NSString* title) { title_ = title ? NSString::stringWithString(title) : nullptr; }

void UIBarButtonItem::setImage(UIImage* image) { image_ = image; }

void UIBarButtonItem::setStyle(NSInteger style) {
    style_ = style >= UIBarButtonItemStylePlain && style <= UIBarButtonItemStyleDone
                 ? static_cast<UIBarButtonItemStyle>(style)
                 : UIBarButtonItemStylePlain;
}

bool UIBarButtonItem::isSpace() const {
    return systemItem_ == UIBarButtonSystemItemFlexibleSpace || systemItem_ == UIBarButtonSystemItemFixedSpace;
}

void UIBarButtonItem::sendAction() {
    if (!enabled_ || !target_ || !action_) return;
    Ref<UIBarButtonItem> keep(this);
    // "addA" takes nothing; "showSettingsModal:" takes the item.
    if (std::strchr(sel_getName(action_), ':')) objc::send<void, id>(target_, action_, this);
    else objc::send<void>(target_, action_);
}
