#include "Quilltray/Views/QLTPSSliderSpecifierViewCell.h"

#include "objc/ClassBuilder.h"

Class QLTPSSliderSpecifierViewCell::class_() {
    using C = QLTPSSliderSpecifierViewCell;
    static Class cls = objc::ClassBuilder<C>("QLTPSSliderSpecifierViewCell", UITableViewCell::class_())
                           .method<&C::slider>("slider")
                           .method<&C::minImage>("minImage")
                           .method<&C::maxImage>("maxImage")
                           .method<&C::setSlider>("setSlider:")
                           .method<&C::setMinImage>("setMinImage:")
                           .method<&C::setMaxImage>("setMaxImage:")
                           .method<&C::prepareForReuse>("prepareForReuse")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTPSSliderSpecifierViewCell::class_();

QLTPSSliderSpecifierViewCell::QLTPSSliderSpecifierViewCell() = default;
QLTPSSliderSpecifierViewCell::~QLTPSSliderSpecifierViewCell() = default;

void QLTPSSliderSpecifierViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    if (!slider_) return;
    CGRect b = slider_->bounds();
    const CGPoint c = slider_->center();
    const CGFloat w = slider_->superview() ? slider_->superview()->frame().size.width : 0;

    const bool hasMin = minImage_ && minImage_->image();
    const bool hasMax = maxImage_ && maxImage_->image();
    if (minImage_) minImage_->setHidden(!hasMin);
    if (maxImage_) maxImage_->setHidden(!hasMax);
    CGFloat x = w / 2;
    if (hasMin && hasMax) {
        b.size.width = w - kMarginWithBothImages;
    } else if (hasMin || hasMax) {
        b.size.width = w - kMarginWithOneImage;
        x += hasMin ? kCentreShift : -kCentreShift;
    } else {
        b.size.width = w - kMarginWithoutImages;
    }
    slider_->setBounds(b);
    slider_->setCenter(CGPointMake(x, c.y));
}

void QLTPSSliderSpecifierViewCell::prepareForReuse() {
    UITableViewCell::prepareForReuse();
    if (minImage_) minImage_->setImage(nullptr);
    if (maxImage_) maxImage_->setImage(nullptr);
}
