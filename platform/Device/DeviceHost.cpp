#include "Device/DeviceHost.h"

#include <cstdio>
#include <optional>

#include "Device/DeviceFolder.h"
#include "Device/HostDriver.h"
#include "Device/HostOptions.h"
#include "Device/ScreenCapture.h"
#include "Device/TouchScript.h"
#include "Foundation/Clock.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSException.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIApplicationHost.h"
#include "UIKit/UIDevice.h"
#include "objc/NSAutoreleasePool.h"

namespace {

int fail(const std::string& program, const std::string& message, int status) {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
    return status;
}

// Launches the app, lets the driver run it and ends it.
int runApplication(const HostOptions& options, HostDriver& driver, const TouchScript* script,
                   NSString* principalClassName, NSString* delegateClassName) {
    const std::string& program = options.program();
    std::string error;
    Ref<UIApplication> app = UIApplication::create(principalClassName, delegateClassName, error);
    if (!app) return fail(program, error, DeviceHost::kFailure);
    // There is nowhere to go from here: the address is noted for the dump
    // and the log, and the app stays.
    app->setURLOpener([program](NSURL* url) {
        const std::string address = url->absoluteString()->str();
        ScreenCapture::noteOpenedURL(address);
        std::printf("%s: open URL %s\n", program.c_str(), address.c_str());
        std::fflush(stdout);
        return true;
    });
    app->finishLaunching();

    int status = 0;
    if (!driver.run(script, options.script(), error)) status = fail(program, error, DeviceHost::kFailure);
    if (status == 0 && !options.screenshot().empty() &&
        !ScreenCapture::writePNG(app->keyWindow(), options.screenshot(), error))
        status = fail(program, error, DeviceHost::kFailure);
    if (status == 0 && !options.dump().empty() && !ScreenCapture::writeDump(app->keyWindow(), options.dump(), error))
        status = fail(program, error, DeviceHost::kFailure);
    if (!driver.terminated()) {
        app->terminate();
        Clock::advance(0);
    }
    return status;
}

}  // namespace

// The host UIApplicationMain starts, from the moment this library loads.
[[maybe_unused]] static const bool kRegistered = (UIApplicationHost::registerHost(&DeviceHost::run), true);

std::string DeviceHost::defaultDevice() { return KORVEL_DEMO_DEVICE; }

int DeviceHost::run(int argc, char* argv[], NSString* principalClassName, NSString* delegateClassName) {
    std::string error;
    std::optional<HostOptions> options = HostOptions::parse(argc, argv, defaultDevice(), error);
    if (!options) {
        std::string program = HostOptions::programName(argc > 0 ? argv[0] : nullptr);
        std::fprintf(stderr, "%s: %s\n%s", program.c_str(), error.c_str(),
                     HostOptions::usage(program, defaultDevice()).c_str());
        return HostOptions::kUsageError;
    }
    const std::string& program = options->program();

    std::optional<TouchScript> script;
    if (!options->script().empty()) {
        script = TouchScript::load(options->script(), error);
        if (!script) return fail(program, error, HostOptions::kUsageError);
    }
    if (!DeviceFolder::setRoot(options->device()))
        return fail(program, "cannot use the device folder " + options->device(), kFailure);
    NSBundle::setMainBundlePath(NSString::from("/Applications/" + program + ".app"));
    UIDevice::currentDevice()->setUserInterfaceIdiom(options->tablet() ? UIUserInterfaceIdiomPad
                                                                       : UIUserInterfaceIdiomPhone);

    std::unique_ptr<HostDriver> driver = HostDriver::forOptions(*options);
    driver->startClock();
    NSAutoreleasePool pool;
    try {
        return runApplication(*options, *driver, script ? &*script : nullptr, principalClassName, delegateClassName);
    } catch (const Ref<NSException>& e) {
        return fail(program,
                    "terminating on an uncaught exception '" + e->name()->str() + "', reason: '" +
                        e->reason()->str() + "'",
                    kFailure);
    }
}
