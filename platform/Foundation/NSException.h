// The platform's exception object. Raising throws a Ref<NSException>, so a
// catch site reads `catch (const Ref<NSException>& e)`.
#pragma once

#include <string>

#include "objc/NSObject.h"

class NSString;

class NSException : public NSObject {
    KORVEL_OBJC_CLASS(NSException)
public:
    NSException(std::string name, std::string reason);

    static Ref<NSException> exceptionWithName(NSString* name, NSString* reason);
    [[noreturn]] static void raise(const std::string& name, const std::string& reason);
    [[noreturn]] void raise();

    Ref<NSString> name() const;
    Ref<NSString> reason() const;
    Ref<NSString> description() const;

private:
    std::string name_;
    std::string reason_;
};
