#include "Device/HostDriver.h"

#include <cstdio>

#include "Device/HeadlessDriver.h"
#include "Device/HostOptions.h"

std::unique_ptr<HostDriver> HostDriver::forOptions(const HostOptions& options) {
    if (!options.headless()) {
        std::fprintf(stderr, "%s: this build has no window host; running headless\n", options.program().c_str());
    }
    return std::make_unique<HeadlessDriver>();
}
