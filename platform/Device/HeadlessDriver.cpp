#include "Device/HeadlessDriver.h"

#include "Device/ScriptPlayer.h"
#include "Device/TouchScript.h"
#include "Foundation/Clock.h"

void HeadlessDriver::startClock() { Clock::useVirtual(0); }

bool HeadlessDriver::run(const TouchScript* script, const std::string& scriptName, std::string& error) {
    Clock::advance(0);
    if (!script) return true;
    ScriptPlayer player(scriptName);
    for (const auto& command : script->commands()) {
        bool played = player.play(command, error);
        terminated_ = player.terminated();
        if (!played) return false;
    }
    return true;
}
