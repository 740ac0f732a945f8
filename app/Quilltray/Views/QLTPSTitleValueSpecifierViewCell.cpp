#include "Quilltray/Views/QLTPSTitleValueSpecifierViewCell.h"

#include <algorithm>

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"

Class QLTPSTitleValueSpecifierViewCell::class_() {
    using C = QLTPSTitleValueSpecifierViewCell;
    static Class cls = objc::ClassBuilder<C>("QLTPSTitleValueSpecifierViewCell", UITableViewCell::class_())
                           .method<&C::prepareForReuse>("prepareForReuse")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTPSTitleValueSpecifierViewCell::class_();

namespace {

bool empty(NSString* text) { return !text || text->str().empty(); }

}  // namespace

QLTPSTitleValueSpecifierViewCell::QLTPSTitleValueSpecifierViewCell() = default;
QLTPSTitleValueSpecifierViewCell::~QLTPSTitleValueSpecifierViewCell() = default;

void QLTPSTitleValueSpecifierViewCell::layoutSubviews() {
    UILabel* title = textLabel();
    UILabel* value = detailTextLabel();
    if (!title || !value) {
        UITableViewCell::layoutSubviews();
        return;
    }
    if (!titleFont_) {
        titleFont_ = title->font();
        titleColour_ = title->textColor();
    }
    if (empty(title->text())) {
        title->setText(value->text());
        value->setText(nullptr);
        NSString* identifier = reuseIdentifier();
        if (identifier && identifier->str() == "PSMultiValueSpecifier") {
            title->setFont(UIFont::systemFontOfSize(UIFont::labelFontSize()));
            title->setTextColor(value->textColor());
        }
    }
    UITableViewCell::layoutSubviews();

    UIView* content = title->superview();
    const CGFloat w = content ? content->frame().size.width : 0;
    const CGFloat h = content ? content->frame().size.height : 0;
    const bool hasValue = !empty(value->text());
    const CGFloat limit = w - kTitleMargin - (hasValue ? kValueRoom : 0);
    const CGFloat titleWidth = std::min(title->sizeThatFits(CGSizeZero).width, limit);
    title->setFrame(CGRectMake(kInset, 0, titleWidth, h - 2));
    if (hasValue) {
        const CGFloat x = kInset + titleWidth + kGap;
        value->setFrame(CGRectMake(x, 0, w - x - kValueMargin, h - 2));
    }
}

void QLTPSTitleValueSpecifierViewCell::prepareForReuse() {
    UITableViewCell::prepareForReuse();
    if (!titleFont_) return;
    textLabel()->setFont(titleFont_);
    textLabel()->setTextColor(titleColour_);
}
