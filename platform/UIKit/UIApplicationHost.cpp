#include "UIKit/UIApplicationHost.h"

#include <cstdio>

namespace {

UIApplicationHost::Run& registered() {
    static UIApplicationHost::Run run = nullptr;
    return run;
}

}  // namespace

void UIApplicationHost::registerHost(Run run) { registered() = run; }

int UIApplicationHost::run(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName) {
    if (!registered()) {
        std::fprintf(stderr, "%s: no host to run the application in\n", argc > 0 && argv[0] ? argv[0] : "UIKit");
        return 1;
    }
    return registered()(argc, argv, principalClassName, delegateClassName);
}
