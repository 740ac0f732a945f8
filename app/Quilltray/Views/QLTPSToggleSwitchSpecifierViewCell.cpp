#include "Quilltray/Views/QLTPSToggleSwitchSpecifierViewCell.h"

#include "objc/ClassBuilder.h"

Class QLTPSToggleSwitchSpecifierViewCell::class_() {
    using C = QLTPSToggleSwitchSpecifierViewCell;
    static Class cls = objc::ClassBuilder<C>("QLTPSToggleSwitchSpecifierViewCell", UITableViewCell::class_())
                           .method<&C::label>("label")
                           .method<&C::toggle>("toggle")
                           .method<&C::setLabel>("setLabel:")
                           .method<&C::setToggle>("setToggle:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTPSToggleSwitchSpecifierViewCell::class_();

QLTPSToggleSwitchSpecifierViewCell::QLTPSToggleSwitchSpecifierViewCell() = default;
QLTPSToggleSwitchSpecifierViewCell::~QLTPSToggleSwitchSpecifierViewCell() = default;
