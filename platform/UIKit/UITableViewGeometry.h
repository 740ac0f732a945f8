// Where a table's sections, headers, footers and rows lie, in the table's own
// coordinates (those of its content): a plain value, built section by section
// from the heights the table gathers, so that its arithmetic is checked
// without views. Widths are the table's at the time of asking; rows are
// inset by the style's margin from both sides.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "CoreGraphics/CGGeometry.h"
#include "objc/runtime.h"

class UITableViewGeometry {
public:
    using Row = std::pair<NSInteger, NSInteger>;  // section, row

    explicit UITableViewGeometry(CGFloat rowInset = 0) : rowInset_(rowInset) {}

    // Adds a section below the others, with the heights of its header, its
    // rows in order and its footer.
    void addSection(CGFloat headerHeight, const std::vector<CGFloat>& rowHeights, CGFloat footerHeight);

    NSInteger numberOfSections() const { return static_cast<NSInteger>(sections_.size()); }
    // 0 for a section that does not exist.
    NSInteger numberOfRows(NSInteger section) const;
    bool contains(NSInteger section, NSInteger row) const { return row >= 0 && row < numberOfRows(section); }
    // The height of all sections together.
    CGFloat contentHeight() const { return sections_.empty() ? 0 : sections_.back().bottom(); }
    CGFloat headerHeight(NSInteger section) const;
    CGFloat footerHeight(NSInteger section) const;

    // CGRectZero for a place that does not exist.
    CGRect rectForSection(NSInteger section, CGFloat width) const;
    CGRect rectForHeader(NSInteger section, CGFloat width) const;
    CGRect rectForFooter(NSInteger section, CGFloat width) const;
    CGRect rectForRow(NSInteger section, NSInteger row, CGFloat width) const;
    // A header that floats: it stays at the top of the visible part, from
    // `visibleTop`, while its section passes under it, until the section's
    // end pushes it off.
    CGRect rectForFloatingHeader(NSInteger section, CGFloat width, CGFloat visibleTop) const;

    // The row under a point; nothing over headers, footers, no row, or
    // beside the table.
    std::optional<Row> rowAtPoint(CGPoint point, CGFloat width) const;
    // The rows any part of which lies between `top` and `bottom`, in order;
    // rows of no height never do.
    std::vector<Row> rowsBetween(CGFloat top, CGFloat bottom) const;

private:
    struct Section {
        CGFloat top = 0;
        CGFloat headerHeight = 0;
        // rowTops[i] is row i's top relative to the first row; one more entry
        // than rows, the last being the rows' total height.
        std::vector<CGFloat> rowTops;
        CGFloat footerHeight = 0;

        NSInteger rows() const { return static_cast<NSInteger>(rowTops.size()) - 1; }
        CGFloat rowsTop() const { return top + headerHeight; }
        CGFloat bottom() const { return rowsTop() + rowTops.back() + footerHeight; }
    };

    const Section* section(NSInteger index) const;

    CGFloat rowInset_;
    std::vector<Section> sections_;
};
