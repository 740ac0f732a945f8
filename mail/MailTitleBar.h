// The bar above Mail's lists: the list's title, and a tap anywhere on it
// switches between the message list and the mailbox list.
#pragma once

#include <functional>

#include "UIKit/UIView.h"

class NSString;
class UILabel;

class MailTitleBar : public UIView {
    KORVEL_OBJC_CLASS(MailTitleBar)
public:
    MailTitleBar();
    ~MailTitleBar() override;

    static constexpr CGFloat kHeight = 44;

    UIView* initWithFrame(CGRect frame) override;

    void setTitle(NSString* title);
    UILabel* titleLabel() const { return title_; }
    void setOnTap(std::function<void()> onTap) { onTap_ = std::move(onTap); }

    void touchesEnded(NSSet* touches, UIEvent* event) override;

private:
    Ref<UILabel> title_;
    std::function<void()> onTap_;
};
