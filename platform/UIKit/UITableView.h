// A scrolling list of rows in sections. The data source and the delegate are
// plain (unretained) objects asked by selector through the runtime, so a
// replaced implementation is what the table calls, and optional operations
// are asked only after respondsToSelector:.
//
// Data source: numberOfSectionsInTableView: (optional, 1 without it),
// tableView:numberOfRowsInSection:, tableView:cellForRowAtIndexPath:, and the
// optional tableView:titleForHeaderInSection: and
// tableView:titleForFooterInSection:.
// Delegate (the scroll view's delegate): tableView:heightForRowAtIndexPath:,
// tableView:heightForHeaderInSection:, tableView:viewForHeaderInSection:,
// tableView:willSelectRowAtIndexPath:, tableView:didSelectRowAtIndexPath:, all
// optional.
//
// Only the rows on screen exist as cells and subviews; a row that scrolls out
// gives its cell to the reuse queue of its identifier, from which
// dequeueReusableCellWithIdentifier: hands it out again after
// prepareForReuse; only the cell of a row being edited (its subviews hold
// the first responder) is kept while off the screen. Section headers and footers with a title are made by the
// table; in the plain style a header stays at the top while its section
// scrolls under it.
//
// Geometry: rows are rowHeight (44) high unless the delegate says otherwise.
// Plain: a header or footer with a title is 22 high, none without. Grouped:
// rows are inset 10 points from both sides; a header is 46 high with a title
// and 10 without, a footer 10 without a title and otherwise its text's height
// with 10 above and below.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "UIKit/UIScrollView.h"
#include "UIKit/UITableViewDeleteSwipe.h"
#include "UIKit/UITableViewGeometry.h"

class NSArray;
class NSIndexPath;
class NSString;
class UITableViewCell;
class UINibDecoder;
class UITouch;

enum UITableViewStyle : NSInteger {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
};

enum UITableViewScrollPosition : NSInteger {
    UITableViewScrollPositionNone = 0,
    UITableViewScrollPositionTop = 1,
    UITableViewScrollPositionMiddle = 2,
    UITableViewScrollPositionBottom = 3,
};

enum UITableViewCellEditingStyle : NSInteger {
    UITableViewCellEditingStyleNone = 0,
    UITableViewCellEditingStyleDelete = 1,
    UITableViewCellEditingStyleInsert = 2,
};

class UITableView : public UIScrollView {
    KORVEL_OBJC_CLASS(UITableView)
public:
    static constexpr CGFloat kDefaultRowHeight = 44;
    static constexpr CGFloat kPlainHeaderHeight = 22;
    static constexpr CGFloat kGroupedInset = 10;
    static constexpr CGFloat kGroupedTitledHeaderHeight = 46;
    static constexpr CGFloat kGroupedSpacing = 10;

    UITableView();
    ~UITableView() override;

    // The plain style.
    UIView* initWithFrame(CGRect frame) override;
    virtual UITableView* initWithFrame(CGRect frame, NSInteger style);
    // A table from an interface file: its frame and "style" (a number).
    UITableView* initWithCoder(UINibDecoder* coder);

    template <class T = UITableView>
    static Ref<T> withStyle(CGRect frame, UITableViewStyle style) {
        auto table = make<T>();
        table->initWithFrame(frame, style);
        return table;
    }

    UITableViewStyle style() const { return style_; }
    NSObject* dataSource() const { return dataSource_; }
    // A new data source is asked at the next layout.
    void setDataSource(NSObject* dataSource);
    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);

    // Asks the data source and the delegate afresh and shows the rows now on
    // screen. Clears the selection.
    void reloadData();

    NSInteger numberOfSections() const { return geometry_.numberOfSections(); }
    NSInteger numberOfRowsInSection(NSInteger section) const { return geometry_.numberOfRows(section); }

    // In the table's own coordinates (those of its content); CGRectZero for a
    // place that does not exist.
    CGRect rectForSection(NSInteger section) const;
    CGRect rectForHeaderInSection(NSInteger section) const;
    CGRect rectForFooterInSection(NSInteger section) const;
    CGRect rectForRowAtIndexPath(NSIndexPath* indexPath) const;

    // The row under a point of the table's own coordinates (so including
    // the scroll offset); nil over headers, footers or no row.
    Ref<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;
    // nil for a cell that is not showing a row of this table.
    Ref<NSIndexPath> indexPathForCell(UITableViewCell* cell) const;
    // The cell showing the row; nil for a row that is not on screen.
    UITableViewCell* cellForRowAtIndexPath(NSIndexPath* indexPath) const;
    // Rows on screen, in order.
    Ref<NSArray> visibleCells() const;
    Ref<NSArray> indexPathsForVisibleRows() const;

    // A cell that scrolled out, after prepareForReuse; nil when none waits.
    Ref<UITableViewCell> dequeueReusableCellWithIdentifier(NSString* identifier);

    void scrollToRowAtIndexPath(NSIndexPath* indexPath, NSInteger position, bool animated);

    // Swipe to delete: when the data source answers
    // tableView:commitEditingStyle:forRowAtIndexPath: (and, where they are
    // answered, tableView:canEditRowAtIndexPath: does not say NO and the
    // delegate's tableView:editingStyleForRowAtIndexPath: gives the delete
    // style), a sideways swipe of kSwipeDistance points on a row shows the
    // row's "Delete" button. A tap on it commits the delete style for that
    // row; a touch anywhere else on the table only hides the button, and so
    // do a reload and scrolling.
    static constexpr CGFloat kSwipeDistance = UITableViewDeleteSwipe::kSwipeDistance;
    // The row showing the delete button; nil when none does.
    NSIndexPath* indexPathForDeleteConfirmation() const { return deleteSwipe_.indexPath(); }
    void hideDeleteConfirmation() { deleteSwipe_.hide(); }

    NSIndexPath* indexPathForSelectedRow() const { return selected_; }
    // Neither tells the delegate, as on the platform.
    void selectRowAtIndexPath(NSIndexPath* indexPath, bool animated, NSInteger position);
    void deselectRowAtIndexPath(NSIndexPath* indexPath, bool animated);

    void layoutSubviews() override;

    // A tap on a row highlights it while the finger is down and selects it
    // when the finger lifts on it.
    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void touchesCancelled(NSSet* touches, UIEvent* event) override;

protected:
    void contentOffsetChanged() override;

private:
    using Key = UITableViewGeometry::Row;

    // What a section shows besides its rows; where it all lies is geometry_'s.
    struct Section {
        Ref<NSString> title;
        Ref<NSString> footerTitle;
        Ref<UIView> headerView;
        Ref<UIView> footerView;

        bool hasHeader() const { return title || headerView; }
    };

    CGRect rowRect(NSInteger section, NSInteger row) const;
    void measure();
    Ref<UIView> makeTitleView(NSString* title, CGFloat height, bool footer) const;
    CGFloat footerHeightFor(NSString* title) const;
    // Shows the rows, headers and footers on screen and lets go of the rest.
    void tile();
    void tileOnce();
    void placeSupplementaryViews();
    void selectByTap(NSIndexPath* indexPath);
    void enqueue(UITableViewCell* cell);
    UITableViewCell* cellContaining(UIView* view) const;
    UITableViewCell* trackedCell(NSSet* touches) const;
    bool canSwipeToDelete(NSIndexPath* indexPath) const;
    void commitDelete(NSIndexPath* indexPath);

    UITableViewStyle style_ = UITableViewStylePlain;
    NSObject* dataSource_ = nullptr;
    CGFloat rowHeight_ = kDefaultRowHeight;
    bool loaded_ = false;
    CGFloat measuredWidth_ = 0;
    bool tiling_ = false;
    // Set when the table is reloaded while it tiles: the tiling starts over.
    bool retile_ = false;
    UITableViewGeometry geometry_;
    std::vector<Section> sections_;
    std::map<Key, Ref<UITableViewCell>> visible_;
    std::map<std::string, std::vector<Ref<UITableViewCell>>> reusable_;
    Ref<NSIndexPath> selected_;
    Ref<UITableViewCell> touched_;
    UITableViewDeleteSwipe deleteSwipe_{[this](NSIndexPath* indexPath) { commitDelete(indexPath); }};
};
