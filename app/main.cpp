// Korvel, the settings app: the platform's application loop runs it, with
// PivellaAppDelegate building the window at launch.
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"
#include "objc/NSAutoreleasePool.h"

int main(int argc, char* argv[]) {
    int status = 0;
    {
        NSAutoreleasePool pool;
        status = UIApplicationMain(argc, argv, nullptr, "PivellaAppDelegate"_ns);
    }
    return status;
}
