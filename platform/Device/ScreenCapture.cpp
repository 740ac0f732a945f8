#include "Device/ScreenCapture.h"

#include <vector>

#include "UIKit/UIKeyboard.h"
#include "UIKit/UIWindow.h"
#include "UIKit/ViewControllerDump.h"
#include "UIKit/ViewRenderer.h"
#include "UIKit/ViewTreeDump.h"

namespace {

std::vector<std::string>& openedURLs() {
    static std::vector<std::string> addresses;
    return addresses;
}

}  // namespace

void ScreenCapture::noteOpenedURL(const std::string& address) { openedURLs().push_back(address); }

nlohmann::json ScreenCapture::dump(UIWindow* window) {
    if (window) window->layoutIfNeeded();
    nlohmann::json navigationStack = nlohmann::json::array();
    nlohmann::json modalScreens = nlohmann::json::array();
    ViewControllerDump::describe(window, navigationStack, modalScreens);
    nlohmann::json keyboard = nullptr;
    if (UIKeyboard* up = UIKeyboard::activeKeyboard())
        keyboard = {{"type", up->keyboardType()}, {"appearance", up->keyboardAppearance()}};
    return {
        {"window", ViewTreeDump::describe(window)},
        {"navigationStack", std::move(navigationStack)},
        {"modalScreens", std::move(modalScreens)},
        {"keyboard", std::move(keyboard)},
        {"orientation", window ? window->interfaceOrientation() : UIInterfaceOrientationPortrait},
        {"openedURLs", openedURLs()},
    };
}

bool ScreenCapture::writeDump(UIWindow* window, const std::string& path, std::string& error) {
    if (ViewTreeDump::write(dump(window), path)) return true;
    error = "cannot write the dump " + path;
    return false;
}

bool ScreenCapture::writePNG(UIWindow* window, const std::string& path, std::string& error) {
    if (!window) {
        error = "nothing on screen for " + path + ": the app has no key window";
        return false;
    }
    if (ViewRenderer::renderToPNG(window, path, kScale)) return true;
    error = "cannot write the screenshot " + path;
    return false;
}
