#include "Foundation/NSException.h"

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSException::class_() {
    static Class cls = objc::ClassBuilder<NSException>("NSException", NSObject::class_())
                           .method<&NSException::description>("description")
                           .method<&NSException::name>("name")
                           .method<&NSException::reason>("reason")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSException::class_();

// A message nobody answers raises, as the phone's Foundation arranges with its
// runtime at load.
[[maybe_unused]] static const bool kRaisesUnrecognizedSelectors =
    (objc::setUnrecognizedSelectorHandler(
         [](const std::string& reason) { NSException::raise("NSInvalidArgumentException", reason); }),
     true);

NSException::NSException(std::string name, std::string reason)
    : name_(std::move(name)), reason_(std::move(reason)) {}

Ref<NSException> NSException::exceptionWithName(NSString* name, NSString* reason) {
    return make<NSException>(name ? name->str() : "", reason ? reason->str() : "");
}

void NSException::raise(const std::string& name, const std::string& reason) {
    make<NSException>(name, reason)->raise();
}

void NSException::raise() { throw Ref<NSException>(this); }

Ref<NSString> NSException::name() const { return NSString::from(name_); }

Ref<NSString> NSException::reason() const { return NSString::from(reason_); }

Ref<NSString> NSException::description() const { return NSString::from(reason_); }
