// The command line of every app the host runs: the host's own options, plus
// any that a program registers for itself (such as the stand-in Mail's choice
// of list) before it hands control to UIApplicationMain.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class HostOptions {
public:
    // An option of the program's own. With an empty `valueName` it is a flag
    // and `accept` receives "". `accept` answers false for a value it rejects,
    // which makes the command line an error.
    struct ProgramOption {
        std::string name;
        std::string valueName;
        std::string help;
        std::function<bool(const std::string& value)> accept;
    };

    // Exit status for a command line (or script) the host cannot use.
    static constexpr int kUsageError = 2;

    static void registerOption(ProgramOption option);
    // Forgets the program's options (for processes that run several apps).
    static void clearRegisteredOptions();

    // Reads argv[1..]. On a bad command line answers nothing and puts a
    // message naming the fault in `error`. `defaultDevice` is the device
    // folder used when --device is not given.
    static std::optional<HostOptions> parse(int argc, const char* const* argv, const std::string& defaultDevice,
                                            std::string& error);
    // The base name of argv[0]: the app's name on the device.
    static std::string programName(const char* argv0);
    // The usage text: one line per option, the program's own included.
    static std::string usage(const std::string& program, const std::string& defaultDevice);

    // argv[0]'s base name: the app's name on the device.
    const std::string& program() const { return program_; }
    const std::string& device() const { return device_; }
    bool headless() const { return headless_; }
    // The device is a tablet (--tablet) instead of a phone.
    bool tablet() const { return tablet_; }
    // Empty when not given.
    const std::string& script() const { return script_; }
    const std::string& screenshot() const { return screenshot_; }
    const std::string& dump() const { return dump_; }
    // Where the window's top left corner goes on the display (--window-at
    // X,Y); nothing lets the display decide.
    const std::optional<std::pair<int, int>>& windowOrigin() const { return windowOrigin_; }

private:
    std::string program_;
    std::string device_;
    bool headless_ = false;
    bool tablet_ = false;
    std::string script_;
    std::string screenshot_;
    std::string dump_;
    std::optional<std::pair<int, int>> windowOrigin_;
};
