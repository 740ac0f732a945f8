// Plays the commands of a touch script on the running app, one at a time,
// letting the clock run as the commands say: a tap holds the finger down for
// kTapHold seconds, "wait" lets its seconds pass, and every other command is
// handled at once. Text and keys go to the first responder by the keyboard's
// selectors (insertText:, with "\n" for return, and deleteBackward), so any
// responder that takes text gets them.
#pragma once

#include <string>

#include "Device/Finger.h"
#include "Device/TouchScript.h"

class NSString;

class ScriptPlayer {
public:
    static constexpr double kTapHold = 0.1;

    // `scriptName` names the script in messages.
    explicit ScriptPlayer(std::string scriptName);

    // NO, with a message naming the line in `error`, when the command cannot
    // be carried out.
    bool play(const TouchScript::Command& command, std::string& error);

    bool terminated() const { return terminated_; }

private:
    // Sends a keyboard selector (with `text`, or none when nil) to the first
    // responder.
    bool keyboard(const char* selector, NSString* text, std::string& problem);

    std::string scriptName_;
    Finger finger_;
    bool terminated_ = false;
};
