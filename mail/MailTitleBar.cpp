#include "MailTitleBar.h"

#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"

Class MailTitleBar::class_() {
    static Class cls = objc::ClassBuilder<MailTitleBar>("MailTitleBar", UIView::class_()).build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailTitleBar::class_();

MailTitleBar::MailTitleBar() = default;
MailTitleBar::~MailTitleBar() = default;

UIView* MailTitleBar::initWithFrame(CGRect frame) {
    UIView::initWithFrame(frame);
    setBackgroundColor(UIColor::colorWithRed(0.43f, 0.52f, 0.64f, 1));
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    title_ = UILabel::withFrame(bounds());
    title_->setFont(UIFont::boldSystemFontOfSize(20));
    title_->setTextColor(UIColor::whiteColor());
    title_->setBackgroundColor(UIColor::clearColor());
    title_->setTextAlignment(UITextAlignmentCenter);
    title_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    addSubview(title_);
    return this;
}

void MailTitleBar::setTitle(NSString* title) { title_->setText(title); }

void MailTitleBar::touchesEnded(NSSet*, UIEvent*) {
    if (onTap_) onTap_();
}
