#include "MailboxContentViewCell.h"

#include <ctime>

#include "Foundation/NSDate.h"
#include "MailMessage.h"
#include "MailPreferences.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"

namespace {

constexpr CGFloat kTextLeft = 28;
constexpr CGFloat kRightMargin = 8;
constexpr CGFloat kPreviewLineHeight = 15;

Ref<NSString> shortDate(NSDate* date) {
    if (!date) return ""_ns;
    std::time_t seconds = static_cast<std::time_t>(date->timeIntervalSince1970());
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%b %e", &utc);
    std::string s(text);
    if (auto twoSpaces = s.find("  "); twoSpaces != std::string::npos) s.erase(twoSpaces, 1);
    return NSString::from(s);
}

Ref<UILabel> makeLabel(UIView* parent, UIFont* font, UIColor* colour) {
    auto label = UILabel::withFrame(CGRectZero);
    label->setFont(font);
    label->setTextColor(colour);
    label->setBackgroundColor(UIColor::clearColor());
    parent->addSubview(label);
    return label;
}

}  // namespace

Class MailboxContentViewCell::class_() {
    static Class cls =
        objc::ClassBuilder<MailboxContentViewCell>("MailboxContentViewCell", UITableViewCell::class_())
            .method<&MailboxContentViewCell::initWithStyle>("initWithStyle:reuseIdentifier:")
            .method<&MailboxContentViewCell::setMessage>("setMessage:threaded:")
            .method<&MailboxContentViewCell::dateLabelFrame>("_dateLabelFrame:")
            .method<&MailboxContentViewCell::message>("message")
            .ivar("_dateLabel", [](MailboxContentViewCell* c) { return c->dateLabel(); })
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailboxContentViewCell::class_();

MailboxContentViewCell::MailboxContentViewCell() = default;
MailboxContentViewCell::~MailboxContentViewCell() = default;

CGFloat MailboxContentViewCell::rowHeight(int previewLines) {
    return previewLines <= 0 ? kDefaultHeight : kDefaultHeight + kPreviewLineHeight * previewLines + 4;
}

UITableViewCell* MailboxContentViewCell::initWithStyle(NSInteger style, NSString* reuseIdentifier) {
    UITableViewCell::initWithStyle(style, reuseIdentifier);
    previewLines_ = MailPreferences::previewLines();
    UIView* content = contentView();
    senderLabel_ = makeLabel(content, UIFont::boldSystemFontOfSize(16), UIColor::blackColor());
    subjectLabel_ = makeLabel(content, UIFont::systemFontOfSize(14), UIColor::blackColor());
    previewLabel_ = makeLabel(content, UIFont::systemFontOfSize(12), UIColor::grayColor());
    previewLabel_->setNumberOfLines(previewLines_ > 0 ? previewLines_ : 1);
    previewLabel_->setHidden(previewLines_ <= 0);
    dateLabel_ = makeLabel(content, UIFont::systemFontOfSize(14), UIColor::colorWithRed(36 / 255.0f, 112 / 255.0f,
                                                                                         216 / 255.0f, 1));
    dateLabel_->setTextAlignment(UITextAlignmentRight);
    return this;
}

void MailboxContentViewCell::setMessage(MailMessage* message, bool) {
    message_ = message;
    if (!message) return;
    senderLabel_->setText(message->senderDisplayName());
    subjectLabel_->setText(message->subject());
    previewLabel_->setText(message->summary());
    dateLabel_->setText(shortDate(message->dateSent()));
    setNeedsLayout();
}

// Mail's own date layout keeps the rectangle it was given.
CGRect MailboxContentViewCell::dateLabelFrame(CGRect proposed) { return proposed; }

void MailboxContentViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    CGFloat width = contentView()->bounds().size.width;
    CGSize dateSize = NSStringDrawing::sizeWithFont(dateLabel_->text(), dateLabel_->font());
    CGRect proposed = CGRectMake(width - kRightMargin - dateSize.width, 5, dateSize.width, 18);
    // The label is sized to its text first; then the final frame is asked by
    // selector, so whoever replaced _dateLabelFrame: sees the label as laid out.
    dateLabel_->setFrame(proposed);
    dateLabel_->setFrame(objc::send<CGRect, CGRect>(this, "_dateLabelFrame:", proposed));
    senderLabel_->setFrame(CGRectMake(kTextLeft, 3, proposed.origin.x - kTextLeft - 4, 20));
    subjectLabel_->setFrame(CGRectMake(kTextLeft, 23, width - kTextLeft - kRightMargin, 18));
    previewLabel_->setFrame(
        CGRectMake(kTextLeft, 41, width - kTextLeft - kRightMargin, kPreviewLineHeight * previewLines_));
}
