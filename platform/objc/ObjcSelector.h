// An interned selector: equal names give the same pointer, so SELs compare by
// identity as on the phone.
#pragma once

#include <string>

struct objc_selector {
    std::string name;
};
