// The screens behind a window, for the host's JSON dump: the navigation stack
// whose view the window shows (bottom first; a window showing a lone screen
// gives that screen) and the modal screens presented over it, in order. Each
// screen is {"class", "title"} (the title its bar shows); a modal navigation
// stack adds its own "navigationStack", and frameworks above UIKit add the
// fields of their own screens (addDetails). The host's screen capture calls it.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>

#include "objc/runtime.h"

class UIViewController;
class UIWindow;

class ViewControllerDump {
public:
    static void describe(UIWindow* window, nlohmann::json& navigationStack, nlohmann::json& modalScreens);
    static nlohmann::json screen(UIViewController* controller);

    // Screens of class `cls` (or a subclass) get `details` called on their
    // entry.
    using Details = std::function<void(UIViewController* controller, nlohmann::json& entry)>;
    static void addDetails(Class cls, Details details);
};
