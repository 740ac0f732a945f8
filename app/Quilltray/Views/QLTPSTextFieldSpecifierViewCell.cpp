#include "Quilltray/Views/QLTPSTextFieldSpecifierViewCell.h"

#include <algorithm>

#include "objc/ClassBuilder.h"

Class QLTPSTextFieldSpecifierViewCell::class_() {
    using C = QLTPSTextFieldSpecifierViewCell;
    static Class cls = objc::ClassBuilder<C>("QLTPSTextFieldSpecifierViewCell", UITableViewCell::class_())
                           .method<&C::label>("label")
                           .method<&C::textField>("textField")
                           .method<&C::setLabel>("setLabel:")
                           .method<&C::setTextField>("setTextField:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTPSTextFieldSpecifierViewCell::class_();

QLTPSTextFieldSpecifierViewCell::QLTPSTextFieldSpecifierViewCell() = default;
QLTPSTextFieldSpecifierViewCell::~QLTPSTextFieldSpecifierViewCell() = default;

void QLTPSTextFieldSpecifierViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    if (!label_ || !textField_) return;
    const CGFloat fitted = std::min(label_->sizeThatFits(CGSizeZero).width, label_->bounds().size.width);
    const CGRect l = label_->frame();
    CGRect f = textField_->frame();
    const bool untitled = !label_->text() || label_->text()->str().empty();
    f.origin.x = untitled ? l.origin.x : l.origin.x + std::max(fitted, kLeastTitleWidth) + kGap;
    const CGFloat w = textField_->superview() ? textField_->superview()->frame().size.width : 0;
    f.size.width = w - f.origin.x - l.origin.x;
    textField_->setFrame(f);
}
