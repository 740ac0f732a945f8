#include "Device/HostDriver.h"

#include <cstdio>

#include "Device/HeadlessDriver.h"
#include "Device/HostOptions.h"
#include "Device/WindowDriver.h"

std::unique_ptr<HostDriver> HostDriver::forOptions(const HostOptions& options) {
    if (options.headless()) return std::make_unique<HeadlessDriver>();
    std::string reason;
    if (std::unique_ptr<WindowDriver> window = WindowDriver::open(options, reason)) return window;
    std::fprintf(stderr, "%s: no display to open a window on (%s); running headless\n", options.program().c_str(),
                 reason.c_str());
    return std::make_unique<HeadlessDriver>();
}
