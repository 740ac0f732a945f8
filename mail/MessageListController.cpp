#include "MessageListController.h"

#include "Foundation/NSIndexPath.h"
#include "MailboxContentViewCell.h"
#include "UIKit/UITableView.h"
#include "objc/ClassBuilder.h"

Class MessageListController::class_() {
    static Class cls =
        objc::ClassBuilder<MessageListController>("MessageListController", NSObject::class_())
            .method<&MessageListController::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
            .method<&MessageListController::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
            .method<&MessageListController::heightForRowAtIndexPath>("tableView:heightForRowAtIndexPath:")
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MessageListController::class_();

MessageListController::MessageListController(std::vector<Ref<MailMessage>> messages, int previewLines)
    : messages_(std::move(messages)), rowHeight_(MailboxContentViewCell::rowHeight(previewLines)) {}

NSInteger MessageListController::numberOfRowsInSection(UITableView*, NSInteger) {
    return static_cast<NSInteger>(messages_.size());
}

Ref<UITableViewCell> MessageListController::cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath) {
    Ref<NSString> identifier = NSString::from(MailboxContentViewCell::kReuseIdentifier);
    Ref<UITableViewCell> cell = tableView->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) cell = UITableViewCell::cellWithStyle<MailboxContentViewCell>(UITableViewCellStyleDefault, identifier);
    objc::send<void, id, BOOL>(cell.get(), "setMessage:threaded:", messages_[indexPath->row()].get(), NO);
    return cell;
}

CGFloat MessageListController::heightForRowAtIndexPath(UITableView*, NSIndexPath*) { return rowHeight_; }
