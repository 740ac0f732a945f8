#include "MailMessage.h"

#include "objc/ClassBuilder.h"

Class MailMessage::class_() {
    static Class cls = objc::ClassBuilder<MailMessage>("MailMessage", NSObject::class_())
                           .method<&MailMessage::account>("account")
                           .method<&MailMessage::subject>("subject")
                           .method<&MailMessage::summary>("summary")
                           .method<&MailMessage::dateSent>("dateSent")
                           .ivar("_sender", [](MailMessage* m) { return m->sender(); })
                           .ivar("_to", [](MailMessage* m) { return m->to(); })
                           .ivar("_cc", [](MailMessage* m) { return m->cc(); })
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = MailMessage::class_();

MailMessage::MailMessage(Fields fields) : fields_(std::move(fields)) {}

Ref<NSString> MailMessage::senderDisplayName() const {
    NSArray* list = sender() && sender()->count() ? sender() : to();
    auto* entry = list && list->count() ? dynamic_cast<NSString*>(list->objectAtIndex(0)) : nullptr;
    if (!entry) return ""_ns;
    const std::string& text = entry->str();
    std::size_t open = text.find('<');
    if (open == std::string::npos || open == 0) return Ref<NSString>(entry);
    std::string name = text.substr(0, open);
    while (!name.empty() && (name.back() == ' ' || name.back() == '"')) name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '"')) name.erase(0, 1);
    return name.empty() ? Ref<NSString>(entry) : NSString::from(name);
}
