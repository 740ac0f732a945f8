// Runs an app without a window, on the virtual clock, which moves only when
// the script says so; the script's commands are played in order and the run
// stops at the first one that cannot be carried out.
#pragma once

#include "Device/HostDriver.h"

class HeadlessDriver : public HostDriver {
public:
    void startClock() override;
    bool run(const TouchScript* script, const std::string& scriptName, std::string& error) override;
    bool terminated() const override { return terminated_; }

private:
    bool terminated_ = false;
};
