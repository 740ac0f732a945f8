#include "Foundation/NSString.h"

#include <functional>

#include "objc/ClassBuilder.h"

Class NSString::class_() {
    static Class cls = objc::ClassBuilder<NSString>("NSString", NSObject::class_())
                           .method<&NSString::UTF8String>("UTF8String")
                           .method<&NSString::isEqualToString>("isEqualToString:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSString::class_();

Ref<NSString> NSString::from(std::string_view utf8) { return make<NSString>(std::string(utf8)); }

bool NSString::isEqualToString(const NSString* other) const { return other && other->utf8_ == utf8_; }

Ref<NSString> NSString::description() const { return Ref<NSString>(const_cast<NSString*>(this)); }

bool NSString::isEqual(const NSObject* other) const {
    auto* s = dynamic_cast<const NSString*>(other);
    return s && isEqualToString(s);
}

std::size_t NSString::hash() const { return std::hash<std::string>{}(utf8_); }
