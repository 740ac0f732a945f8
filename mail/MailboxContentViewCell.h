// One row of Mail's message list: sender, date, subject and preview lines.
// Mail lays the date label out through _dateLabelFrame:, sent by selector, so
// that whoever replaced that method is asked for the date's frame.
#pragma once

#include "UIKit/UITableViewCell.h"

class MailMessage;
class NSString;
class UILabel;

class MailboxContentViewCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(MailboxContentViewCell)
public:
    MailboxContentViewCell();
    ~MailboxContentViewCell() override;

    static constexpr const char* kReuseIdentifier = "MailboxContentViewCell";
    // Height of a row showing `previewLines` lines of preview.
    static CGFloat rowHeight(int previewLines);

    UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) override;

    void setMessage(MailMessage* message, bool threaded);
    MailMessage* message() const { return message_; }
    // Takes the frame Mail proposes for the date label and answers the one
    // to use.
    CGRect dateLabelFrame(CGRect proposed);
    UILabel* dateLabel() const { return dateLabel_; }

    void layoutSubviews() override;

private:
    Ref<MailMessage> message_;
    Ref<UILabel> senderLabel_;
    Ref<UILabel> subjectLabel_;
    Ref<UILabel> previewLabel_;
    Ref<UILabel> dateLabel_;
    int previewLines_ = 2;
};
