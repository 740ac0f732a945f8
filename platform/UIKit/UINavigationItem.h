// What a navigation bar shows for one screen: its title, the buttons at its
// left and right ends, and the back button that the next screen's bar shows
// to return here. A change to a showing item refreshes its bar.
#pragma once

#include "objc/NSObject.h"

class NSString;
class UIBarButtonItem;
class UINavigationBar;

class UINavigationItem : public NSObject {
    KORVEL_OBJC_CLASS(UINavigationItem)
public:
    UINavigationItem();
    ~UINavigationItem() override;

    UINavigationItem* initWithTitle(NSString* title);
    static Ref<UINavigationItem> withTitle(NSString* title);

    NSString* title() const { return title_; }
    void setTitle(NSString* title);
    UIBarButtonItem* leftBarButtonItem() const { return left_; }
    void setLeftBarButtonItem(UIBarButtonItem* item);
    UIBarButtonItem* rightBarButtonItem() const { return right_; }
    void setRightBarButtonItem(UIBarButtonItem* item);
    // Shown by the bar of the screen above this one; nil: a back button
    // titled with this item's title.
    UIBarButtonItem* backBarButtonItem() const { return back_; }
    void setBackBarButtonItem(UIBarButtonItem* item);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides);

    // The bar showing the item, set by the bar; not retained.
    UINavigationBar* navigationBar() const { return bar_; }
    void setNavigationBar(UINavigationBar* bar) { bar_ = bar; }

private:
    void changed();

    Ref<NSString> title_;
    Ref<UIBarButtonItem> left_;
    Ref<UIBarButtonItem> right_;
    Ref<UIBarButtonItem> back_;
    bool hidesBackButton_ = false;
    UINavigationBar* bar_ = nullptr;
};
