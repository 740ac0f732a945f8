// What the host writes of the screen: a PNG of the key window and the JSON
// dump of what it shows, {"window": view tree, "navigationStack": [...],
// "modalScreens": [...], "keyboard": {"type", "appearance"} or null,
// "orientation": 1 to 4, "openedURLs": [...]}, the view tree as ViewTreeDump
// describes it; "keyboard" is the on-screen keyboard while it is up, with its
// keyboard type and appearance (its view is in the window's tree); "orientation" the
// window's interface orientation; "openedURLs" every address the app handed
// to the system (openURL:), in order.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

class UIWindow;

class ScreenCapture {
public:
    // The host notes each address the app opens instead of leaving it.
    static void noteOpenedURL(const std::string& address);

    // Pixels per point of the headless screen.
    static constexpr float kScale = 1;

    static nlohmann::json dump(UIWindow* window);
    // Both lay the window out first. NO, with the reason in `error`, when
    // the file cannot be written (or there is no window to draw).
    static bool writeDump(UIWindow* window, const std::string& path, std::string& error);
    static bool writePNG(UIWindow* window, const std::string& path, std::string& error);
};
