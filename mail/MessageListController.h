// Mail's message list: one row per message, newest first. Rows are made the
// way Mail makes them: alloc, then initWithStyle:reuseIdentifier: and
// setMessage:threaded: sent by selector, so that replaced methods take effect.
#pragma once

#include <vector>

#include "MailMessage.h"
#include "UIKit/UITableViewCell.h"

class NSIndexPath;
class UITableView;

class MessageListController : public NSObject {
    KORVEL_OBJC_CLASS(MessageListController)
public:
    MessageListController() = default;
    MessageListController(std::vector<Ref<MailMessage>> messages, int previewLines);

    NSInteger numberOfRowsInSection(UITableView* tableView, NSInteger section);
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);
    CGFloat heightForRowAtIndexPath(UITableView* tableView, NSIndexPath* indexPath);

private:
    std::vector<Ref<MailMessage>> messages_;
    CGFloat rowHeight_ = 0;
};
