#include "Device/HostOptions.h"

#include <cstdio>
#include <filesystem>

namespace {

std::vector<HostOptions::ProgramOption>& programOptions() {
    static std::vector<HostOptions::ProgramOption> options;
    return options;
}

std::string usageLine(const std::string& option, const std::string& help) {
    char line[512];
    std::snprintf(line, sizeof line, "  %-19s %s\n", option.c_str(), help.c_str());
    return line;
}

}  // namespace

void HostOptions::registerOption(ProgramOption option) {
    for (auto& existing : programOptions()) {
        if (existing.name == option.name) {
            existing = std::move(option);
            return;
        }
    }
    programOptions().push_back(std::move(option));
}

void HostOptions::clearRegisteredOptions() { programOptions().clear(); }

std::string HostOptions::programName(const char* argv0) {
    std::string name = argv0 ? std::filesystem::path(argv0).filename().string() : "";
    return name.empty() ? "app" : name;
}

std::optional<HostOptions> HostOptions::parse(int argc, const char* const* argv, const std::string& defaultDevice,
                                              std::string& error) {
    HostOptions options;
    options.program_ = programName(argc > 0 ? argv[0] : nullptr);
    options.device_ = defaultDevice;

    // Options that take a value, and where the value goes.
    const std::pair<const char*, std::string*> valued[] = {
        {"--device", &options.device_},
        {"--script", &options.script_},
        {"--screenshot", &options.screenshot_},
        {"--dump", &options.dump_},
    };

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        auto takeValue = [&](std::string& into) {
            if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
                error = "option " + arg + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };

        if (arg == "--headless") {
            options.headless_ = true;
            continue;
        }
        if (arg == "--tablet") {
            options.tablet_ = true;
            continue;
        }
        if (arg == "--window-at") {
            std::string at;
            if (!takeValue(at)) return std::nullopt;
            int x = 0, y = 0;
            char end = 0;
            if (std::sscanf(at.c_str(), "%d,%d%c", &x, &y, &end) != 2) {
                error = "bad value '" + at + "' for --window-at: give X,Y";
                return std::nullopt;
            }
            options.windowOrigin_ = std::make_pair(x, y);
            continue;
        }
        bool known = false;
        for (const auto& [name, into] : valued) {
            if (arg == name) {
                if (!takeValue(*into)) return std::nullopt;
                known = true;
            }
        }
        if (known) continue;
        for (const auto& option : programOptions()) {
            if (arg != option.name) continue;
            std::string value;
            if (!option.valueName.empty() && !takeValue(value)) return std::nullopt;
            if (option.accept && !option.accept(value)) {
                error = "bad value '" + value + "' for " + arg;
                return std::nullopt;
            }
            known = true;
            break;
        }
        if (!known) {
            error = arg.empty() ? "empty argument" : "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    if (options.device_.empty()) {
        error = "no device folder: give --device DIR";
        return std::nullopt;
    }
    return options;
}

std::string HostOptions::usage(const std::string& program, const std::string& defaultDevice) {
    std::string text = "usage: " + program + " [options]\n";
    text += usageLine("--device DIR", "the device folder (default: " +
                                          (defaultDevice.empty() ? std::string("none") : defaultDevice) + ")");
    text += usageLine("--headless", "no window; the clock is virtual");
    text += usageLine("--script FILE", "touch script, one command a line:");
    text += usageLine("", "  tap X Y | down X Y | move X Y | up | wait SECONDS");
    text += usageLine("", "  type TEXT | key return|backspace");
    text += usageLine("", "  background | foreground | terminate");
    text += usageLine("", "  shot FILE.png | dump FILE.json");
    text += usageLine("--screenshot FILE", "write a PNG of the screen when the script ends");
    text += usageLine("--dump FILE", "write the JSON dump of the view tree when the script ends");
    text += usageLine("--window-at X,Y", "where the window goes on the display");
    text += usageLine("--tablet", "the device is a tablet, not a phone");
    for (const auto& option : programOptions()) {
        std::string shown = option.valueName.empty() ? option.name : option.name + " " + option.valueName;
        text += usageLine(shown, option.help);
    }
    return text;
}
