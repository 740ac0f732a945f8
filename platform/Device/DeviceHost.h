// The phone around an app. It registers itself with UIKit when its library
// loads, and UIApplicationMain hands it the run: it reads the
// host's command line, prepares the device folder and the app's bundle
// ("/Applications/<program>.app" in the device folder), picks the driver and
// its clock, makes and launches the application, lets the driver run it, then
// writes the screenshot and dump asked for and ends the app.
#pragma once

#include <string>

class NSString;

class DeviceHost {
public:
    // Exit statuses besides 0.
    static constexpr int kFailure = 1;

    static int run(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName);

    // The device folder used when --device is not given: the build's demo
    // device.
    static std::string defaultDevice();
};
