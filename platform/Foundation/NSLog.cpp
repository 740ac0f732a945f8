#include "Foundation/NSLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <errno.h>
#include <unistd.h>

void NSLogMessage(const std::string& message) {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

    std::string line = std::string(stamp) + "." + std::to_string(1000 + millis).substr(1) + " " +
                       program_invocation_short_name + "[" + std::to_string(::getpid()) + "] " + message;
    if (line.empty() || line.back() != '\n') line += '\n';
    // One write, so that lines from several processes never interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
