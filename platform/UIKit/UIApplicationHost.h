// The host an app runs in, as UIKit sees it: the device host (a window or
// headless) sits above UIKit and registers itself here when it loads;
// UIApplicationMain hands the run to whichever host did. UIKit knows nothing
// more of it.
#pragma once

class NSString;

class UIApplicationHost {
public:
    using Run = int (*)(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName);

    static void registerHost(Run run);
    // Runs the app in the registered host and answers its exit status; with
    // no host registered says so on standard error and answers 1.
    static int run(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName);
};
