#include "UIKit/UITableViewGeometry.h"

#include <algorithm>
#include <cmath>

void UITableViewGeometry::addSection(CGFloat headerHeight, const std::vector<CGFloat>& rowHeights,
                                     CGFloat footerHeight) {
    Section s;
    s.top = contentHeight();
    s.headerHeight = headerHeight;
    s.rowTops.reserve(rowHeights.size() + 1);
    s.rowTops.push_back(0);
    // Summed in double, so that a long list's rows do not drift.
    double y = 0;
    for (CGFloat h : rowHeights) {
        y += h;
        s.rowTops.push_back(static_cast<CGFloat>(y));
    }
    s.footerHeight = footerHeight;
    sections_.push_back(std::move(s));
}

const UITableViewGeometry::Section* UITableViewGeometry::section(NSInteger index) const {
    return index >= 0 && index < numberOfSections() ? &sections_[static_cast<std::size_t>(index)] : nullptr;
}

NSInteger UITableViewGeometry::numberOfRows(NSInteger index) const {
    const Section* s = section(index);
    return s ? s->rows() : 0;
}

CGFloat UITableViewGeometry::headerHeight(NSInteger index) const {
    const Section* s = section(index);
    return s ? s->headerHeight : 0;
}

CGFloat UITableViewGeometry::footerHeight(NSInteger index) const {
    const Section* s = section(index);
    return s ? s->footerHeight : 0;
}

CGRect UITableViewGeometry::rectForSection(NSInteger index, CGFloat width) const {
    const Section* s = section(index);
    return s ? CGRectMake(0, s->top, width, s->bottom() - s->top) : CGRectZero;
}

CGRect UITableViewGeometry::rectForHeader(NSInteger index, CGFloat width) const {
    const Section* s = section(index);
    return s ? CGRectMake(0, s->top, width, s->headerHeight) : CGRectZero;
}

CGRect UITableViewGeometry::rectForFooter(NSInteger index, CGFloat width) const {
    const Section* s = section(index);
    return s ? CGRectMake(0, s->bottom() - s->footerHeight, width, s->footerHeight) : CGRectZero;
}

CGRect UITableViewGeometry::rectForRow(NSInteger index, NSInteger row, CGFloat width) const {
    if (!contains(index, row)) return CGRectZero;
    const Section& s = *section(index);
    const auto r = static_cast<std::size_t>(row);
    return CGRectMake(rowInset_, s.rowsTop() + s.rowTops[r], std::max<CGFloat>(0, width - 2 * rowInset_),
                      s.rowTops[r + 1] - s.rowTops[r]);
}

CGRect UITableViewGeometry::rectForFloatingHeader(NSInteger index, CGFloat width, CGFloat visibleTop) const {
    const Section* s = section(index);
    if (!s) return CGRectZero;
    const CGFloat y = std::max(s->top, std::min(visibleTop, s->bottom() - s->headerHeight));
    return CGRectMake(0, y, width, s->headerHeight);
}

std::optional<UITableViewGeometry::Row> UITableViewGeometry::rowAtPoint(CGPoint point, CGFloat width) const {
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || point.x < 0 || point.x >= width) return std::nullopt;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        const CGFloat y = point.y - s.rowsTop();
        if (y < 0) return std::nullopt;  // sections go down the table in order
        if (y >= s.rowTops.back()) continue;
        // The last row whose top is at or above the point.
        auto above = std::upper_bound(s.rowTops.begin(), s.rowTops.end(), y) - 1;
        return Row{static_cast<NSInteger>(i), above - s.rowTops.begin()};
    }
    return std::nullopt;
}

std::vector<UITableViewGeometry::Row> UITableViewGeometry::rowsBetween(CGFloat top, CGFloat bottom) const {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        const CGFloat rowsTop = s.rowsTop();
        if (rowsTop >= bottom) break;
        if (rowsTop + s.rowTops.back() <= top) continue;
        auto first = std::upper_bound(s.rowTops.begin(), s.rowTops.end(), top - rowsTop);
        NSInteger r = std::max<NSInteger>(0, (first - s.rowTops.begin()) - 1);
        for (; r < s.rows() && rowsTop + s.rowTops[static_cast<std::size_t>(r)] < bottom; ++r) {
            const CGFloat rowTop = rowsTop + s.rowTops[static_cast<std::size_t>(r)];
            const CGFloat rowBottom = rowsTop + s.rowTops[static_cast<std::size_t>(r) + 1];
            if (rowBottom > top && rowBottom > rowTop) rows.push_back({static_cast<NSInteger>(i), r});
        }
    }
    return rows;
}
