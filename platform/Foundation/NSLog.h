// The platform's log: one line on standard error, stamped with the date, the
// program's name and its process id. The format takes printf conversions and
// "%@" for an object's description.
#pragma once

#include <string>
#include <string_view>

#include "Foundation/StringFormat.h"

// Writes one already formatted message (a line end is added when missing).
void NSLogMessage(const std::string& message);

template <class... A>
void NSLog(std::string_view format, const A&... arguments) {
    NSLogMessage(StringFormat::format(format, {StringFormat::Argument(arguments)...}));
}
