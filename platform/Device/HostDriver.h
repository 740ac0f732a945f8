// What runs a launched app: the headless driver plays the script on the
// virtual clock; a window driver (beside it) would pump the window's events
// on the real clock. The device host picks one and, once it returns, writes
// what the options ask for and ends the app.
#pragma once

#include <memory>
#include <string>

class HostOptions;
class TouchScript;

class HostDriver {
public:
    virtual ~HostDriver() = default;

    // The driver for these options.
    static std::unique_ptr<HostDriver> forOptions(const HostOptions& options);

    // Sets the platform clock the driver runs on; called before the app is
    // made.
    virtual void startClock() = 0;
    // Runs the launched app until the script (nil: none) or the user is done.
    // NO, with a message in `error`, when a command could not be carried out.
    virtual bool run(const TouchScript* script, const std::string& scriptName, std::string& error) = 0;
    // Whether the app was told to terminate during the run.
    virtual bool terminated() const = 0;
};
