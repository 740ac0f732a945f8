#include "UIKit/UITableViewController.h"

#include "Foundation/NSIndexPath.h"
#include "UIKit/UIScreen.h"
#include "objc/ClassBuilder.h"

Class UITableViewController::class_() {
    using C = UITableViewController;
    static Class cls = objc::ClassBuilder<C>("UITableViewController", UIViewController::class_())
                           .method<&C::initWithStyle>("initWithStyle:")
                           .method<&C::tableView>("tableView")
                           .method<&C::setTableView>("setTableView:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITableViewController::class_();

UITableViewController::UITableViewController() = default;
UITableViewController::~UITableViewController() {
    // The table may outlive its controller in someone else's hands.
    if (isViewLoaded()) {
        if (auto* table = objc::cast<UITableView>(view())) {
            if (table->dataSource() == this) table->setDataSource(nullptr);
            if (table->delegate() == this) table->setDelegate(nullptr);
        }
    }
}

UITableViewController* UITableViewController::initWithStyle(NSInteger style) {
    init();
    style_ = style == UITableViewStyleGrouped ? UITableViewStyleGrouped : UITableViewStylePlain;
    return this;
}

UITableView* UITableViewController::tableView() { return objc::cast<UITableView>(view()); }

void UITableViewController::setTableView(UITableView* tableView) { setView(tableView); }

void UITableViewController::loadView() {
    Ref<UITableView> table = UITableView::withStyle(UIScreen::mainScreen()->bounds(), style_);
    table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table);
}

void UITableViewController::viewWillAppear(bool animated) {
    UITableView* table = tableView();
    // Held: deselecting lets go of the table's own reference.
    Ref<NSIndexPath> selected = table ? table->indexPathForSelectedRow() : nullptr;
    if (selected) table->deselectRowAtIndexPath(selected, animated);
}
