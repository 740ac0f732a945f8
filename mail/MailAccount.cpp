#include "MailAccount.h"

#include "objc/ClassBuilder.h"

Class MailAccount::class_() {
    static Class cls = objc::ClassBuilder<MailAccount>("MailAccount", NSObject::class_())
                           .method<&MailAccount::firstEmailAddress>("firstEmailAddress")
                           .method<&MailAccount::displayName>("displayName")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailAccount::class_();

MailAccount::MailAccount(NSString* firstEmailAddress, NSString* displayName)
    : address_(firstEmailAddress), displayName_(displayName) {}
