#include "Foundation/NSIndexPath.h"

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSIndexPath::class_() {
    static Class cls = objc::ClassBuilder<NSIndexPath>("NSIndexPath", NSObject::class_())
                           .method<&NSIndexPath::description>("description")
                           .classMethod<&NSIndexPath::indexPathForRow>("indexPathForRow:inSection:")
                           .method<&NSIndexPath::section>("section")
                           .method<&NSIndexPath::row>("row")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSIndexPath::class_();

Ref<NSIndexPath> NSIndexPath::indexPathForRow(NSInteger row, NSInteger section) {
    return make<NSIndexPath>(section, row);
}

Ref<NSString> NSIndexPath::description() const {
    return NSString::stringWithFormat("<NSIndexPath> {length = 2, path = %ld - %ld}", section_, row_);
}

bool NSIndexPath::isEqual(const NSObject* other) const {
    auto* p = dynamic_cast<const NSIndexPath*>(other);
    return p && p->section_ == section_ && p->row_ == row_;
}

std::size_t NSIndexPath::hash() const {
    return static_cast<std::size_t>(section_) * 1000003u ^ static_cast<std::size_t>(row_);
}
