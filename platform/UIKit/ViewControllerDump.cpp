#include "UIKit/ViewControllerDump.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace {

std::vector<std::pair<Class, ViewControllerDump::Details>>& details() {
    static std::vector<std::pair<Class, ViewControllerDump::Details>> registered;
    return registered;
}

nlohmann::json stackOf(UIViewController* controller) {
    nlohmann::json stack = nlohmann::json::array();
    if (auto* navigation = objc::cast<UINavigationController>(controller)) {
        Ref<NSArray> controllers = navigation->viewControllers();
        for (NSUInteger i = 0; i < controllers->count(); ++i)
            stack.push_back(ViewControllerDump::screen(objc::cast<UIViewController>(controllers->objectAtIndex(i))));
    } else {
        stack.push_back(ViewControllerDump::screen(controller));
    }
    return stack;
}

}  // namespace

nlohmann::json ViewControllerDump::screen(UIViewController* controller) {
    nlohmann::json entry = {{"class", controller->className()}, {"title", nullptr}};
    // The title the bar shows: the screen's own, else its navigation item's.
    NSString* title = controller->title() ? controller->title() : controller->navigationItem()->title();
    if (title) entry["title"] = title->str();
    if (objc::cast<UINavigationController>(controller)) entry["navigationStack"] = stackOf(controller);
    for (const auto& [cls, describe] : details())
        if (controller->isKindOfClass(cls)) describe(controller, entry);
    return entry;
}

void ViewControllerDump::addDetails(Class cls, Details describe) { details().emplace_back(cls, std::move(describe)); }

void ViewControllerDump::describe(UIWindow* window, nlohmann::json& navigationStack, nlohmann::json& modalScreens) {
    if (!window) return;
    Ref<NSArray> views = window->subviews();
    std::vector<UIViewController*> roots;
    for (NSUInteger i = 0; i < views->count(); ++i) {
        UIViewController* root = UIViewController::controllerOfView(objc::cast<UIView>(views->objectAtIndex(i)));
        // A modal screen covers its presenter's view: the stack is the
        // presenter's.
        while (root && root->parentViewController()) root = root->parentViewController();
        if (!root || std::find(roots.begin(), roots.end(), root) != roots.end()) continue;
        roots.push_back(root);
        for (auto& entry : stackOf(root)) navigationStack.push_back(entry);
        for (UIViewController* m = root->modalViewController(); m; m = m->modalViewController())
            modalScreens.push_back(screen(m));
    }
}
