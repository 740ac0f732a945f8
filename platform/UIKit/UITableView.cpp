#include "UIKit/UITableView.h"

#include <algorithm>
#include <cmath>

#include "Foundation/NSArray.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/NSStringDrawing.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UITableViewCell.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

namespace {

// Counts beyond this are a data source's mistake, not a table.
constexpr NSInteger kMostRows = 10'000'000;
constexpr CGFloat kTitleInset = UITableView::kGroupedInset + 9;

NSInteger sane(NSInteger count) { return std::clamp<NSInteger>(count, 0, kMostRows); }

NSString* nonEmpty(id text) {
    auto* s = objc::cast<NSString>(text);
    return s && !s->str().empty() ? s : nullptr;
}

Ref<UIFont> titleFont(bool plain) { return UIFont::boldSystemFontOfSize(plain ? 18 : 17); }
Ref<UIFont> footerFont() { return UIFont::systemFontOfSize(15); }
Ref<UIColor> groupedTitleColour() { return UIColor::colorWithRed(0.3f, 0.34f, 0.42f, 1); }

}  // namespace

Class UITableView::class_() {
    using T = UITableView;
    static Class cls =
        objc::ClassBuilder<T>("UITableView", UIScrollView::class_())
            .method<static_cast<UITableView* (T::*)(CGRect, NSInteger)>(&T::initWithFrame)>("initWithFrame:style:")
            .method<&T::initWithCoder>("initWithCoder:")
            .method<&T::style>("style")
            .method<&T::dataSource>("dataSource")
            .method<&T::setDataSource>("setDataSource:")
            .method<&T::rowHeight>("rowHeight")
            .method<&T::setRowHeight>("setRowHeight:")
            .method<&T::reloadData>("reloadData")
            .method<&T::numberOfSections>("numberOfSections")
            .method<&T::numberOfRowsInSection>("numberOfRowsInSection:")
            .method<&T::rectForSection>("rectForSection:")
            .method<&T::rectForHeaderInSection>("rectForHeaderInSection:")
            .method<&T::rectForFooterInSection>("rectForFooterInSection:")
            .method<&T::rectForRowAtIndexPath>("rectForRowAtIndexPath:")
            .method<&T::indexPathForRowAtPoint>("indexPathForRowAtPoint:")
            .method<&T::indexPathForCell>("indexPathForCell:")
            .method<&T::cellForRowAtIndexPath>("cellForRowAtIndexPath:")
            .method<&T::visibleCells>("visibleCells")
            .method<&T::indexPathsForVisibleRows>("indexPathsForVisibleRows")
            .method<&T::dequeueReusableCellWithIdentifier>("dequeueReusableCellWithIdentifier:")
            .method<&T::scrollToRowAtIndexPath>("scrollToRowAtIndexPath:atScrollPosition:animated:")
            .method<&T::indexPathForSelectedRow>("indexPathForSelectedRow")
            .method<&T::selectRowAtIndexPath>("selectRowAtIndexPath:animated:scrollPosition:")
            .method<&T::deselectRowAtIndexPath>("deselectRowAtIndexPath:animated:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITableView::class_();

UITableView::UITableView() = default;
UITableView::~UITableView() = default;

UIView* UITableView::initWithFrame(CGRect frame) { return initWithFrame(frame, UITableViewStylePlain); }

UITableView* UITableView::initWithFrame(CGRect frame, NSInteger style) {
    UIScrollView::initWithFrame(frame);
    style_ = style == UITableViewStyleGrouped ? UITableViewStyleGrouped : UITableViewStylePlain;
    setBackgroundColor(style_ == UITableViewStyleGrouped ? UIColor::colorWithRed(0.77f, 0.8f, 0.84f, 1)
                                                          : UIColor::whiteColor());
    return this;
}

UITableView* UITableView::initWithCoder(UINibDecoder* coder) {
    auto* style = coder ? objc::cast<NSNumber>(coder->decodeObjectForKey("style"_ns)) : nullptr;
    return initWithFrame(coder ? coder->decodeFrame() : CGRectZero, style ? style->integerValue() : 0);
}

void UITableView::setDataSource(NSObject* dataSource) {
    dataSource_ = dataSource;
    loaded_ = false;
    setNeedsLayout();
}

void UITableView::setRowHeight(CGFloat height) {
    if (std::isfinite(height) && height >= 0) rowHeight_ = height;
}

// ---- Measuring -------------------------------------------------------------

void UITableView::reloadData() {
    Ref<UITableView> keep(this);
    hideDeleteConfirmation();
    if (tiling_) retile_ = true;
    for (auto& [key, cell] : std::map<Key, Ref<UITableViewCell>>(std::move(visible_))) enqueue(cell);
    visible_.clear();
    selected_ = nullptr;
    measure();
    loaded_ = true;
    tile();
}

void UITableView::measure() {
    NSObject* delegate = this->delegate();
    const bool plain = style_ == UITableViewStylePlain;
    for (auto& section : sections_) {
        if (section.headerView) section.headerView->removeFromSuperview();
        if (section.footerView) section.footerView->removeFromSuperview();
    }
    std::vector<Section> sections;
    NSInteger count = 0;
    if (dataSource_) {
        count = objc::responds(dataSource_, "numberOfSectionsInTableView:")
                    ? sane(objc::send<NSInteger, id>(dataSource_, "numberOfSectionsInTableView:", this))
                    : 1;
    }
    const bool rowCounts = objc::responds(dataSource_, "tableView:numberOfRowsInSection:");
    const bool rowHeights = objc::responds(delegate, "tableView:heightForRowAtIndexPath:");
    const bool headerTitles = objc::responds(dataSource_, "tableView:titleForHeaderInSection:");
    const bool footerTitles = objc::responds(dataSource_, "tableView:titleForFooterInSection:");
    const bool headerHeights = objc::responds(delegate, "tableView:heightForHeaderInSection:");
    const bool headerViews = objc::responds(delegate, "tableView:viewForHeaderInSection:");

    UITableViewGeometry geometry(plain ? 0 : kGroupedInset);
    std::vector<CGFloat> heights;
    for (NSInteger s = 0; s < count; ++s) {
        Section section;
        if (headerTitles)
            section.title =
                nonEmpty(objc::send<id, id, NSInteger>(dataSource_, "tableView:titleForHeaderInSection:", this, s));
        if (footerTitles)
            section.footerTitle =
                nonEmpty(objc::send<id, id, NSInteger>(dataSource_, "tableView:titleForFooterInSection:", this, s));
        if (headerViews)
            section.headerView =
                objc::cast<UIView>(objc::send<id, id, NSInteger>(delegate, "tableView:viewForHeaderInSection:", this, s));

        CGFloat header = 0;
        if (section.hasHeader()) header = plain ? kPlainHeaderHeight : kGroupedTitledHeaderHeight;
        else if (!plain) header = kGroupedSpacing;
        if (headerHeights) {
            CGFloat asked = objc::send<CGFloat, id, NSInteger>(delegate, "tableView:heightForHeaderInSection:", this, s);
            if (std::isfinite(asked) && asked >= 0) header = asked;
        }

        const NSInteger rows =
            rowCounts ? sane(objc::send<NSInteger, id, NSInteger>(dataSource_, "tableView:numberOfRowsInSection:", this, s))
                      : 0;
        heights.assign(static_cast<std::size_t>(rows), rowHeight_);
        for (NSInteger r = 0; rowHeights && r < rows; ++r) {
            Ref<NSIndexPath> path = NSIndexPath::indexPathForRow(r, s);
            CGFloat h = objc::send<CGFloat, id, id>(delegate, "tableView:heightForRowAtIndexPath:", this, path.get());
            if (std::isfinite(h) && h >= 0) heights[static_cast<std::size_t>(r)] = h;
        }
        geometry.addSection(header, heights, footerHeightFor(section.footerTitle));
        sections.push_back(std::move(section));
    }
    sections_ = std::move(sections);
    geometry_ = std::move(geometry);
    measuredWidth_ = bounds().size.width;
    setContentSize(CGSizeMake(bounds().size.width, geometry_.contentHeight()));
}

CGFloat UITableView::footerHeightFor(NSString* title) const {
    if (style_ == UITableViewStylePlain) return title ? kPlainHeaderHeight : 0;
    if (!title) return kGroupedSpacing;
    CGFloat width = std::max<CGFloat>(1, bounds().size.width - 2 * kTitleInset);
    CGSize text = NSStringDrawing::sizeWithFont(title, footerFont(), CGSizeMake(width, 100000));
    return text.height + 2 * kGroupedSpacing;
}

// ---- Geometry --------------------------------------------------------------

CGRect UITableView::rowRect(NSInteger section, NSInteger row) const {
    return geometry_.rectForRow(section, row, bounds().size.width);
}

CGRect UITableView::rectForSection(NSInteger section) const {
    return geometry_.rectForSection(section, bounds().size.width);
}

CGRect UITableView::rectForHeaderInSection(NSInteger section) const {
    return geometry_.rectForHeader(section, bounds().size.width);
}

CGRect UITableView::rectForFooterInSection(NSInteger section) const {
    return geometry_.rectForFooter(section, bounds().size.width);
}

CGRect UITableView::rectForRowAtIndexPath(NSIndexPath* indexPath) const {
    return indexPath ? rowRect(indexPath->section(), indexPath->row()) : CGRectZero;
}

Ref<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const {
    auto row = geometry_.rowAtPoint(point, bounds().size.width);
    return row ? NSIndexPath::indexPathForRow(row->second, row->first) : nullptr;
}

Ref<NSIndexPath> UITableView::indexPathForCell(UITableViewCell* cell) const {
    for (const auto& [key, shown] : visible_) {
        if (shown == cell) return NSIndexPath::indexPathForRow(key.second, key.first);
    }
    return nullptr;
}

UITableViewCell* UITableView::cellForRowAtIndexPath(NSIndexPath* indexPath) const {
    if (!indexPath) return nullptr;
    auto it = visible_.find({indexPath->section(), indexPath->row()});
    return it == visible_.end() ? nullptr : it->second.get();
}

// The cell of a row being edited may be kept off the screen (tileOnce);
// only rows in view count as visible.
Ref<NSArray> UITableView::visibleCells() const {
    std::vector<Ref<NSObject>> cells;
    for (const auto& [key, cell] : visible_)
        if (CGRectIntersectsRect(rowRect(key.first, key.second), bounds())) cells.emplace_back(cell.get());
    return make<NSArray>(std::move(cells));
}

Ref<NSArray> UITableView::indexPathsForVisibleRows() const {
    std::vector<Ref<NSObject>> paths;
    for (const auto& [key, cell] : visible_)
        if (CGRectIntersectsRect(rowRect(key.first, key.second), bounds()))
            paths.emplace_back(NSIndexPath::indexPathForRow(key.second, key.first));
    return make<NSArray>(std::move(paths));
}

// ---- Cells on screen -------------------------------------------------------

Ref<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(NSString* identifier) {
    if (!identifier) return nullptr;
    auto it = reusable_.find(identifier->str());
    if (it == reusable_.end() || it->second.empty()) return nullptr;
    Ref<UITableViewCell> cell = std::move(it->second.back());
    it->second.pop_back();
    objc::send<void>(cell.get(), "prepareForReuse");
    return cell;
}

void UITableView::enqueue(UITableViewCell* cell) {
    Ref<UITableViewCell> keep(cell);
    cell->removeFromSuperview();
    if (touched_ == cell) {
        cell->setHighlighted(false, false);
        touched_ = nullptr;
    }
    if (NSString* identifier = cell->reuseIdentifier()) reusable_[identifier->str()].push_back(keep);
}

void UITableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    if (!loaded_) {
        reloadData();
        return;
    }
    if (bounds().size.width != measuredWidth_) measure();
    tile();
}

void UITableView::contentOffsetChanged() {
    hideDeleteConfirmation();
    tile();
}

void UITableView::tile() {
    if (!loaded_) return;
    if (tiling_) {
        retile_ = true;
        return;
    }
    Ref<UITableView> keep(this);
    tiling_ = true;
    do {
        retile_ = false;
        tileOnce();
    } while (retile_);
    tiling_ = false;
}

void UITableView::tileOnce() {
    const CGRect b = bounds();
    const std::vector<Key> wanted = geometry_.rowsBetween(b.origin.y, b.origin.y + b.size.height);

    // Rows that left the screen give their cells to the reuse queues first,
    // so that the rows coming on can have them.
    // A cell whose field is being edited stays while it is off the screen,
    // as on the phone: taking it away would end the editing.
    auto* editing = objc::cast<UIView>(UIResponder::firstResponder());
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (std::binary_search(wanted.begin(), wanted.end(), it->first) ||
            (editing && editing->isDescendantOfView(it->second))) {
            ++it;
            continue;
        }
        Ref<UITableViewCell> cell = std::move(it->second);
        it = visible_.erase(it);
        enqueue(cell);
    }

    for (const Key& key : wanted) {
        auto shown = visible_.find(key);
        if (shown != visible_.end()) {
            shown->second->setFrame(rowRect(key.first, key.second));
            continue;
        }
        Ref<NSIndexPath> path = NSIndexPath::indexPathForRow(key.second, key.first);
        Ref<UITableViewCell> cell = objc::cast<UITableViewCell>(
            objc::send<id, id, id>(dataSource_, "tableView:cellForRowAtIndexPath:", this, path.get()));
        if (retile_) return;  // the data source reloaded the table meanwhile
        if (!cell) {
            NSLog("UITableView: the data source gave no cell for row %ld of section %ld", long(key.second),
                  long(key.first));
            continue;
        }
        cell->setFrame(rowRect(key.first, key.second));
        // A reused cell of the same size keeps its old layout otherwise,
        // with its labels sized for the texts it showed before.
        cell->setNeedsLayout();
        cell->setSelected(selected_ && selected_->isEqual(path), false);
        // Cells stay beneath the headers and footers, in the order of rows.
        insertSubview(cell, static_cast<NSInteger>(std::distance(visible_.begin(), visible_.lower_bound(key))));
        visible_[key] = cell;
    }
    placeSupplementaryViews();
}

Ref<UIView> UITableView::makeTitleView(NSString* title, CGFloat height, bool footer) const {
    const bool plain = style_ == UITableViewStylePlain;
    const CGFloat width = bounds().size.width;
    auto view = UIView::withFrame(CGRectMake(0, 0, width, height));
    auto label = UILabel::withFrame(plain ? CGRectMake(12, 0, std::max<CGFloat>(0, width - 24), height)
                                          : CGRectMake(kTitleInset, 0, std::max<CGFloat>(0, width - 2 * kTitleInset),
                                                       height));
    label->setText(title);
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    if (plain) {
        view->setBackgroundColor(UIColor::colorWithRed(0.57f, 0.63f, 0.69f, 0.9f));
        label->setFont(titleFont(true));
        label->setTextColor(UIColor::whiteColor());
    } else if (footer) {
        label->setFont(footerFont());
        label->setTextColor(groupedTitleColour());
        label->setTextAlignment(UITextAlignmentCenter);
        label->setNumberOfLines(0);
    } else {
        label->setFont(titleFont(false));
        label->setTextColor(groupedTitleColour());
    }
    view->addSubview(label);
    return view;
}

void UITableView::placeSupplementaryViews() {
    const CGRect b = bounds();
    const bool plain = style_ == UITableViewStylePlain;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        Section& section = sections_[i];
        const auto s = static_cast<NSInteger>(i);
        const CGFloat headerHeight = geometry_.headerHeight(s);
        if (headerHeight > 0 && section.hasHeader()) {
            // In the plain style the header floats at the top of its section.
            CGRect frame = plain ? geometry_.rectForFloatingHeader(s, b.size.width, b.origin.y)
                                 : geometry_.rectForHeader(s, b.size.width);
            if (CGRectIntersectsRect(frame, b)) {
                if (!section.headerView) section.headerView = makeTitleView(section.title, headerHeight, false);
                section.headerView->setFrame(frame);
                if (section.headerView->superview() != this) addSubview(section.headerView);
            } else if (section.headerView) {
                section.headerView->removeFromSuperview();
            }
        }
        const CGFloat footerHeight = geometry_.footerHeight(s);
        if (section.footerTitle && footerHeight > 0) {
            CGRect frame = geometry_.rectForFooter(s, b.size.width);
            if (CGRectIntersectsRect(frame, b)) {
                if (!section.footerView) section.footerView = makeTitleView(section.footerTitle, footerHeight, true);
                section.footerView->setFrame(frame);
                if (section.footerView->superview() != this) addSubview(section.footerView);
            } else if (section.footerView) {
                section.footerView->removeFromSuperview();
            }
        }
    }
    // The floating header of a section keeps above the rows scrolling under it.
    if (plain) {
        for (auto& section : sections_) {
            if (section.headerView && section.headerView->superview() == this) bringSubviewToFront(section.headerView);
        }
    }
}

// ---- Scrolling and selection ----------------------------------------------

void UITableView::scrollToRowAtIndexPath(NSIndexPath* indexPath, NSInteger position, bool animated) {
    if (!indexPath || !geometry_.contains(indexPath->section(), indexPath->row())) {
        NSLog("UITableView: no row %@ to scroll to", static_cast<NSObject*>(indexPath));
        return;
    }
    const CGRect row = rowRect(indexPath->section(), indexPath->row());
    const Section& section = sections_[static_cast<std::size_t>(indexPath->section())];
    // A floating header covers the top of the visible part.
    const CGFloat covered =
        style_ == UITableViewStylePlain && section.hasHeader() ? geometry_.headerHeight(indexPath->section()) : 0;
    const CGFloat height = bounds().size.height;
    CGPoint offset = contentOffset();
    switch (position) {
        case UITableViewScrollPositionTop: offset.y = row.origin.y - covered; break;
        case UITableViewScrollPositionMiddle: offset.y = CGRectGetMidY(row) - height / 2; break;
        case UITableViewScrollPositionBottom: offset.y = CGRectGetMaxY(row) - height; break;
        default:
            if (row.origin.y - covered < offset.y) offset.y = row.origin.y - covered;
            else if (CGRectGetMaxY(row) > offset.y + height) offset.y = CGRectGetMaxY(row) - height;
            else return;
            break;
    }
    offset.y = std::clamp<CGFloat>(offset.y, 0, maximumContentOffset().y);
    setContentOffset(offset, animated);
}

void UITableView::selectRowAtIndexPath(NSIndexPath* indexPath, bool animated, NSInteger position) {
    Ref<NSIndexPath> previous = selected_;
    selected_ = nullptr;
    if (previous && !previous->isEqual(indexPath)) {
        if (UITableViewCell* cell = cellForRowAtIndexPath(previous)) cell->setSelected(false, animated);
    }
    if (!indexPath || !geometry_.contains(indexPath->section(), indexPath->row())) return;
    selected_ = NSIndexPath::indexPathForRow(indexPath->row(), indexPath->section());
    if (UITableViewCell* cell = cellForRowAtIndexPath(selected_)) cell->setSelected(true, animated);
    if (position != UITableViewScrollPositionNone) scrollToRowAtIndexPath(selected_, position, animated);
}

void UITableView::deselectRowAtIndexPath(NSIndexPath* indexPath, bool animated) {
    if (!indexPath) return;
    if (selected_ && selected_->isEqual(indexPath)) selected_ = nullptr;
    if (UITableViewCell* cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(false, animated);
}

void UITableView::selectByTap(NSIndexPath* indexPath) {
    Ref<UITableView> keep(this);
    Ref<NSIndexPath> target(indexPath);
    NSObject* delegate = this->delegate();
    if (objc::responds(delegate, "tableView:willSelectRowAtIndexPath:")) {
        target = objc::cast<NSIndexPath>(
            objc::send<id, id, id>(delegate, "tableView:willSelectRowAtIndexPath:", this, indexPath));
        if (!target) return;
    }
    if (!geometry_.contains(target->section(), target->row())) return;
    selectRowAtIndexPath(target, false, UITableViewScrollPositionNone);
    delegate = this->delegate();
    if (objc::responds(delegate, "tableView:didSelectRowAtIndexPath:"))
        objc::send<void, id, id>(delegate, "tableView:didSelectRowAtIndexPath:", this, target.get());
}

// ---- Touches ---------------------------------------------------------------

UITableViewCell* UITableView::cellContaining(UIView* view) const {
    for (UIView* v = view; v; v = v->superview()) {
        if (v->superview() == this) {
            auto* cell = objc::cast<UITableViewCell>(v);
            return cell && indexPathForCell(cell) ? cell : nullptr;
        }
    }
    return nullptr;
}

UITableViewCell* UITableView::trackedCell(NSSet* touches) const {
    auto* touch = touches ? objc::cast<UITouch>(touches->anyObject()) : nullptr;
    return touch ? cellContaining(touch->view()) : nullptr;
}

void UITableView::touchesBegan(NSSet* touches, UIEvent* event) {
    deleteSwipe_.endTouch();  // whatever the last touch left, this one starts afresh
    if (deleteSwipe_.indexPath()) {
        deleteSwipe_.hide();
        deleteSwipe_.swallowRestOfTouch();
        return;
    }
    UITableViewCell* cell = trackedCell(touches);
    if (!cell) {
        UIScrollView::touchesBegan(touches, event);
        return;
    }
    touched_ = cell;
    deleteSwipe_.touchBegan(objc::cast<UITouch>(touches->anyObject())->locationInView(nullptr));
    cell->setHighlighted(true, false);
}

void UITableView::touchesMoved(NSSet* touches, UIEvent* event) {
    if (deleteSwipe_.swallowsTouch()) return;
    if (!touched_) {
        UIScrollView::touchesMoved(touches, event);
        return;
    }
    auto* touch = objc::cast<UITouch>(touches->anyObject());
    if (!touch || !deleteSwipe_.isSwipe(touch->locationInView(nullptr))) return;
    Ref<UITableViewCell> cell = std::move(touched_);
    touched_ = nullptr;
    cell->setHighlighted(false, false);
    Ref<NSIndexPath> path = indexPathForCell(cell);
    if (!path || !canSwipeToDelete(path)) return;
    deleteSwipe_.swallowRestOfTouch();
    deleteSwipe_.show(cell, path);
}

void UITableView::touchesEnded(NSSet* touches, UIEvent* event) {
    if (deleteSwipe_.endTouch()) return;
    Ref<UITableViewCell> cell = std::move(touched_);
    touched_ = nullptr;
    if (!cell) {
        UIScrollView::touchesEnded(touches, event);
        return;
    }
    cell->setHighlighted(false, false);
    // The finger has to lift on the row it came down on.
    auto* touch = objc::cast<UITouch>(touches->anyObject());
    Ref<NSIndexPath> path = indexPathForCell(cell);
    if (!touch || !path || !CGRectContainsPoint(cell->bounds(), touch->locationInView(cell))) return;
    selectByTap(path);
}

void UITableView::touchesCancelled(NSSet* touches, UIEvent* event) {
    if (deleteSwipe_.endTouch()) return;
    Ref<UITableViewCell> cell = std::move(touched_);
    touched_ = nullptr;
    if (cell) cell->setHighlighted(false, false);
    else UIScrollView::touchesCancelled(touches, event);
}

// ---- Swipe to delete -------------------------------------------------------

bool UITableView::canSwipeToDelete(NSIndexPath* indexPath) const {
    if (!objc::responds(dataSource_, "tableView:commitEditingStyle:forRowAtIndexPath:")) return false;
    if (objc::responds(dataSource_, "tableView:canEditRowAtIndexPath:") &&
        !objc::send<BOOL, id, id>(dataSource_, "tableView:canEditRowAtIndexPath:", const_cast<UITableView*>(this),
                                  indexPath))
        return false;
    NSObject* delegate = this->delegate();
    return !objc::responds(delegate, "tableView:editingStyleForRowAtIndexPath:") ||
           objc::send<NSInteger, id, id>(delegate, "tableView:editingStyleForRowAtIndexPath:",
                                         const_cast<UITableView*>(this),
                                         indexPath) == UITableViewCellEditingStyleDelete;
}

void UITableView::commitDelete(NSIndexPath* indexPath) {
    Ref<UITableView> keep(this);
    if (objc::responds(dataSource_, "tableView:commitEditingStyle:forRowAtIndexPath:"))
        objc::send<void, id, NSInteger, id>(dataSource_, "tableView:commitEditingStyle:forRowAtIndexPath:", this,
                                            NSInteger(UITableViewCellEditingStyleDelete), indexPath);
}
