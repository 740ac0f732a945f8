// The bar across the top of a navigation stack: a stack of navigation items
// of which it shows the top one, its title centred, its left button (or, for
// an item above another, a back button titled after the item below) and its
// right button.
//
// A tap on the back button asks the delegate navigationBar:shouldPopItem:
// (when it answers it) and pops the top item unless the delegate says NO; a
// navigation controller answers by popping its screen, which pops the item.
#pragma once

#include <vector>

#include "UIKit/UIBarAppearance.h"
#include "UIKit/UIView.h"

class NSArray;
class UILabel;
class UINavigationButton;
class UINavigationItem;

class UINavigationBar : public UIView {
    KORVEL_OBJC_CLASS(UINavigationBar)
public:
    static constexpr CGFloat kHeight = UIBarAppearance::kBarHeight;
    // Room between the buttons and the bar's ends.
    static constexpr CGFloat kMargin = 5;
    static constexpr CGFloat kTitleFontSize = 20;

    UINavigationBar();
    ~UINavigationBar() override;

    UIView* initWithFrame(CGRect frame) override;

    UIBarStyle barStyle() const { return barStyle_; }
    void setBarStyle(NSInteger style);

    // Not retained.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    Ref<NSArray> items() const;
    void setItems(NSArray* items, bool animated);
    UINavigationItem* topItem() const;
    // The item below the top one; nil when there is none.
    UINavigationItem* backItem() const;
    // An item already in a bar is refused.
    void pushNavigationItem(UINavigationItem* item, bool animated);
    // The top item, now popped; nil when the stack was empty.
    Ref<UINavigationItem> popNavigationItemAnimated(bool animated);

    // An item of the stack changed: the bar shows it again.
    void itemsChanged();

    // The views showing the top item; nil where it has none.
    UILabel* titleLabel() const { return titleLabel_; }
    UINavigationButton* leftButton() const { return left_; }
    UINavigationButton* rightButton() const { return right_; }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    // Rebuilds the title label and buttons from the top item.
    void showTopItem();
    void backTapped();

    UIBarStyle barStyle_ = UIBarStyleDefault;
    NSObject* delegate_ = nullptr;
    std::vector<Ref<UINavigationItem>> items_;
    Ref<UILabel> titleLabel_;
    Ref<UINavigationButton> left_;
    Ref<UINavigationButton> right_;
};
