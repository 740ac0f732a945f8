#include "Device/ScriptPlayer.h"

#include "Device/ScreenCapture.h"
#include "Foundation/Clock.h"
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIResponder.h"
#include "UIKit/UIWindow.h"
#include "objc/ObjcRuntime.h"

ScriptPlayer::ScriptPlayer(std::string scriptName) : scriptName_(std::move(scriptName)) {}

bool ScriptPlayer::play(const TouchScript::Command& command, std::string& error) {
    UIApplication* app = UIApplication::sharedApplication();
    std::string problem;
    using Op = TouchScript::Op;
    switch (command.op) {
        case Op::Tap:
            finger_.down(command.point);
            Clock::advance(kTapHold);
            finger_.up();
            break;
        case Op::Down: finger_.down(command.point); break;
        case Op::Move: finger_.move(command.point); break;
        case Op::Up: finger_.up(); break;
        case Op::Wait: Clock::advance(command.seconds); break;
        case Op::Type: keyboard("insertText:", NSString::from(command.text), problem); break;
        case Op::Key:
            if (command.key == TouchScript::Key::Return) keyboard("insertText:", "\n"_ns, problem);
            else keyboard("deleteBackward", nullptr, problem);
            break;
        case Op::Background:
            finger_.cancel();
            if (app) app->enterBackground();
            break;
        case Op::Foreground:
            if (app) app->enterForeground();
            break;
        case Op::Terminate:
            finger_.cancel();
            if (app) app->terminate();
            terminated_ = true;
            break;
        case Op::Rotate: {
            const UIInterfaceOrientation orientation = command.turn == TouchScript::Turn::Left
                                                           ? UIInterfaceOrientationLandscapeLeft
                                                       : command.turn == TouchScript::Turn::Right
                                                           ? UIInterfaceOrientationLandscapeRight
                                                           : UIInterfaceOrientationPortrait;
            // A screen that stays upright keeps the interface as it is, as on
            // the phone.
            if (UIWindow* window = app ? app->keyWindow() : nullptr) window->rotateToInterfaceOrientation(orientation);
            break;
        }
        case Op::Shot:
            Clock::advance(0);
            ScreenCapture::writePNG(app ? app->keyWindow() : nullptr, command.text, problem);
            break;
        case Op::Dump:
            Clock::advance(0);
            ScreenCapture::writeDump(app ? app->keyWindow() : nullptr, command.text, problem);
            break;
    }
    // Whatever the command set going is handled before the next one.
    Clock::advance(0);
    if (problem.empty()) return true;
    error = scriptName_ + ":" + std::to_string(command.line) + ": " + problem;
    return false;
}

bool ScriptPlayer::keyboard(const char* selector, NSString* text, std::string& problem) {
    UIResponder* responder = UIResponder::firstResponder();
    SEL s = sel_registerName(selector);
    if (!responder || !responder->respondsToSelector(s)) {
        problem = std::string("nothing on screen takes typing (no first responder answering ") + selector + ")";
        return false;
    }
    if (text) objc::send<void, id>(responder, s, text);
    else objc::send<void>(responder, s);
    return true;
}
