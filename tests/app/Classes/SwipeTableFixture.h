// A swipe-tracking table of account cells on a running application's key
// window, in a device folder of its own with the app's bundle as built (for
// the cells' images) and its own label preferences.
//
// SwipeRows is the table's data source, ordinary delegate and swipe
// delegate: it makes an ExampleCell per address (or a bare swipeable row,
// with bareRows) and notes the selections and swipes it is told of.
// PickySwipeRows also answers tableView:shouldSwipeCellAtIndexPath:, with
// NO for the row `refused`.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Classes/ExampleCell.h"
#include "Classes/ZRSwipeableTableView.h"
#include "Classes/ZRSwipeableTableViewDelegate.h"
#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSUserDefaults.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

class SwipeRows : public NSObject {
    KORVEL_OBJC_CLASS(SwipeRows)
public:
    static constexpr CGFloat kRowHeight = 61;

    NSInteger numberOfRowsInSection(UITableView*, NSInteger) { return static_cast<NSInteger>(addresses.size()); }
    Ref<UITableViewCell> cellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
        Ref<NSString> address = NSString::from(addresses.at(static_cast<std::size_t>(indexPath->row())));
        Ref<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier(address);
        if (!cell) {
            cell = bareRows ? Ref<UITableViewCell>(UITableViewCell::cellWithStyle<ZRSwipeableTableViewCell>(
                                  UITableViewCellStyleDefault, address))
                            : Ref<UITableViewCell>(
                                  UITableViewCell::cellWithStyle<ExampleCell>(UITableViewCellStyleDefault, address));
        }
        cell->textLabel()->setText(address);
        cell->contentView()->setBackgroundColor(UIColor::whiteColor());
        return cell;
    }
    void didSelectRowAtIndexPath(UITableView*, NSIndexPath* indexPath) { selected.push_back(indexPath->row()); }
    void didSwipeCellAtIndexPath(UITableView*, NSIndexPath* indexPath) { swiped.push_back(indexPath->row()); }

    std::vector<std::string> addresses;
    bool bareRows = false;
    std::vector<NSInteger> selected;
    std::vector<NSInteger> swiped;
};

inline Class SwipeRows::class_() {
    using R = SwipeRows;
    static Class cls = objc::ClassBuilder<R>("TestSwipeRows", NSObject::class_())
                           .method<&R::numberOfRowsInSection>("tableView:numberOfRowsInSection:")
                           .method<&R::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:")
                           .method<&R::didSelectRowAtIndexPath>("tableView:didSelectRowAtIndexPath:")
                           .method<&R::didSwipeCellAtIndexPath>(ZRSwipeableTableViewDelegate::kDidSwipeCell)
                           .protocol(ZRSwipeableTableViewDelegate::kName)
                           .build();
    return cls;
}

class PickySwipeRows : public SwipeRows {
    KORVEL_OBJC_CLASS(PickySwipeRows)
public:
    bool shouldSwipeCellAtIndexPath(UITableView*, NSIndexPath* indexPath) {
        asked.push_back(indexPath->row());
        return indexPath->row() != refused;
    }
    NSInteger refused = -1;
    std::vector<NSInteger> asked;
};

inline Class PickySwipeRows::class_() {
    using R = PickySwipeRows;
    static Class cls = objc::ClassBuilder<R>("TestPickySwipeRows", SwipeRows::class_())
                           .method<&R::shouldSwipeCellAtIndexPath>(ZRSwipeableTableViewDelegate::kShouldSwipeCell)
                           .build();
    return cls;
}

// A device folder holding the app's bundle as the build assembled it.
class BundleDevice {
public:
    BundleDevice() {
        root_ = std::filesystem::temp_directory_path() / ("korvel-swipe-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Applications");
        std::filesystem::create_directory_symlink(KORVEL_BINARY_DIR "/Korvel.app", root_ / "Applications/Korvel.app");
        DeviceFolder::setRoot(root_.string());
        NSBundle::setMainBundlePath("/Applications/Korvel.app"_ns);
        NSUserDefaults::resetStandardUserDefaults();
    }
    ~BundleDevice() {
        NSUserDefaults::resetStandardUserDefaults();
        NSBundle::setMainBundlePath(nullptr);
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root_);
    }
    BundleDevice(const BundleDevice&) = delete;
    BundleDevice& operator=(const BundleDevice&) = delete;

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

class SwipeTableFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        makeTable(make<SwipeRows>());
    }
    void TearDown() override {
        table->hideVisibleBackView(false);
        AppFixture::TearDown();
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
        table = nullptr;
        rows = nullptr;
    }
    void makeTable(Ref<SwipeRows> source, int count = 5) {
        if (table) table->removeFromSuperview();
        rows = source;
        for (int i = 0; i < count; ++i) rows->addresses.push_back("row" + std::to_string(i) + "@example.org");
        table = UITableView::withStyle<ZRSwipeableTableView>(window->bounds(), UITableViewStylePlain);
        table->setRowHeight(SwipeRows::kRowHeight);
        table->setDataSource(rows);
        table->setDelegate(rows);
        table->setSwipeDelegate(rows);
        window->addSubview(table);
        window->layoutIfNeeded();
        // The rows are shown before any finger comes down.
        Clock::advance(0);
    }
    // The middle of row `row`'s height.
    static CGFloat rowY(int row) { return SwipeRows::kRowHeight * CGFloat(row) + 30; }
    ZRSwipeableTableViewCell* cell(int row) {
        return objc::cast<ZRSwipeableTableViewCell>(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)));
    }
    NSInteger visibleBackViewRow() {
        NSIndexPath* path = table->indexOfVisibleBackView();
        return path ? path->row() : -1;
    }
    // Opens a row with a swipe and lets the reveal finish.
    void open(int row) {
        down(100, rowY(row));
        move(130, rowY(row));
        up();
        Clock::advance(0.2);
    }

    BundleDevice device;
    Ref<SwipeRows> rows;
    Ref<ZRSwipeableTableView> table;
};
