// Runs an app in a window on the display (SDL2), on the real clock. The
// window is the phone's screen, 320 x 480 points drawn at kScale pixels a
// point. The mouse is the finger (press, drag, release); typed text and the
// return and backspace keys go to the first responder, as the keyboard's
// would. A script, when given, is played first, its waits letting real time
// pass with the window live; then the window stays until it is closed or the
// app is terminated.
//
// The view tree is drawn again only while something is happening (an input
// event, a timer or event falling due, and for a short while after), and
// only the part of the window whose pixels changed is sent to the display.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "Device/HostDriver.h"
#include "objc/Ref.h"

class CGContext;
class HostOptions;
class ScriptPlayer;

class WindowDriver : public HostDriver {
public:
    static constexpr int kScale = 2;
    static constexpr double kFrameInterval = 1.0 / 60;
    // How long the tree keeps being drawn after the last thing that happened,
    // for changes that follow the clock (animations).
    static constexpr double kSettleTime = 0.5;

    // A window for the app named in the options; nothing, with the reason,
    // when there is no display to open it on.
    static std::unique_ptr<WindowDriver> open(const HostOptions& options, std::string& reason);
    ~WindowDriver() override;

    void startClock() override;
    bool run(const TouchScript* script, const std::string& scriptName, std::string& error) override;
    bool terminated() const override { return terminated_; }

private:
    WindowDriver() = default;

    // Handles input and due work until the clock reads `until` (or once when
    // it already does), keeping the window drawn. NO once the window is
    // closed.
    bool pump(ScriptPlayer& player, double until);
    // Turns one SDL event into the finger's or keyboard's action.
    void handle(const SDL_Event& event, ScriptPlayer& player);
    // Draws the key window into the frame and sends the changed part on.
    void redraw();
    // Writes what the window shows now as a PNG.
    bool writeShot(const std::string& path, std::string& error);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    Ref<CGContext> frame_;
    // What the texture holds, to find the part a new frame changes.
    std::vector<unsigned char> shown_;
    bool mouseDown_ = false;
    bool closed_ = false;
    bool terminated_ = false;
    double busyUntil_ = 0;
};
