#include "Device/WindowDriver.h"

#include <algorithm>
#include <cstring>

#include "CoreGraphics/CGContext.h"
#include "CoreGraphics/CGContextStateGuard.h"
#include "Device/HostOptions.h"
#include "Device/ScriptPlayer.h"
#include "Device/TouchScript.h"
#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIWindow.h"
#include "UIKit/ViewRenderer.h"

namespace {

// The part of two equally laid out images that differs; empty when none.
SDL_Rect changedPart(const unsigned char* now, const unsigned char* before, int width, int height, int stride) {
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto* a = reinterpret_cast<const std::uint32_t*>(now + y * stride);
        const auto* b = reinterpret_cast<const std::uint32_t*>(before + y * stride);
        if (std::memcmp(a, b, static_cast<std::size_t>(width) * 4) == 0) continue;
        top = std::min(top, y);
        bottom = y;
        int first = 0, last = width - 1;
        while (a[first] == b[first]) ++first;
        while (a[last] == b[last]) --last;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (bottom < 0) return SDL_Rect{0, 0, 0, 0};
    return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

TouchScript::Command command(TouchScript::Op op, CGPoint point = CGPointZero, std::string text = {}) {
    TouchScript::Command c;
    c.op = op;
    c.point = point;
    c.text = std::move(text);
    return c;
}

}  // namespace

std::unique_ptr<WindowDriver> WindowDriver::open(const HostOptions& options, std::string& reason) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        reason = SDL_GetError();
        return nullptr;
    }
    // When no display answers, SDL falls back to drivers that show nothing;
    // a window there would wait for a user who cannot see it. They serve
    // only when asked for by name.
    std::string driverName = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    bool showsNothing = driverName == "offscreen" || driverName == "dummy";
    if (showsNothing && !(asked && SDL_strcasecmp(asked, driverName.c_str()) == 0)) {
        reason = "no display answered; SDL offers only its " + driverName + " driver";
        SDL_Quit();
        return nullptr;
    }
    std::unique_ptr<WindowDriver> driver(new WindowDriver());
    CGSize screen = UIScreen::mainScreen()->bounds().size;
    int width = static_cast<int>(screen.width) * kScale, height = static_cast<int>(screen.height) * kScale;
    int x = options.windowOrigin() ? options.windowOrigin()->first : SDL_WINDOWPOS_UNDEFINED;
    int y = options.windowOrigin() ? options.windowOrigin()->second : SDL_WINDOWPOS_UNDEFINED;
    driver->window_ = SDL_CreateWindow(options.program().c_str(), x, y, width, height, SDL_WINDOW_SHOWN);
    if (driver->window_) driver->renderer_ = SDL_CreateRenderer(driver->window_, -1, SDL_RENDERER_SOFTWARE);
    if (driver->renderer_)
        driver->texture_ = SDL_CreateTexture(driver->renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                             width, height);
    if (!driver->texture_) {
        reason = SDL_GetError();
        return nullptr;
    }
    driver->frame_ = CGContext::bitmap(width, height);
    driver->shown_.assign(static_cast<std::size_t>(cairo_image_surface_get_stride(driver->frame_->surface())) *
                              static_cast<std::size_t>(height),
                          0);
    SDL_StartTextInput();
    return driver;
}

WindowDriver::~WindowDriver() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void WindowDriver::startClock() { Clock::useReal(); }

bool WindowDriver::run(const TouchScript* script, const std::string& scriptName, std::string& error) {
    ScriptPlayer player(scriptName);
    busyUntil_ = Clock::now() + kSettleTime;
    if (!pump(player, Clock::now())) return true;
    for (const auto& c : script ? script->commands() : std::vector<TouchScript::Command>{}) {
        std::string problem;
        if (c.op == TouchScript::Op::Wait) {
            if (!pump(player, Clock::now() + c.seconds)) return true;
            continue;
        }
        if (c.op == TouchScript::Op::Shot) {
            redraw();
            if (!writeShot(c.text, problem)) {
                error = scriptName + ":" + std::to_string(c.line) + ": " + problem;
                return false;
            }
            continue;
        }
        if (!player.play(c, error)) return false;
        terminated_ = player.terminated();
        busyUntil_ = Clock::now() + kSettleTime;
        if (terminated_ || !pump(player, Clock::now())) return true;
    }
    while (!terminated_ && pump(player, Clock::now() + 1)) {
    }
    return true;
}

bool WindowDriver::pump(ScriptPlayer& player, double until) {
    for (;;) {
        SDL_Event event;
        while (!closed_ && SDL_PollEvent(&event)) handle(event, player);
        if (closed_ || terminated_) return false;
        NSRunLoop* loop = NSRunLoop::mainRunLoop();
        double now = Clock::now();
        if (loop->hasPendingEvents() || loop->nextFireDate() <= now + kSettleTime)
            busyUntil_ = std::max(busyUntil_, now + kSettleTime);
        Clock::advance(0);
        if (Clock::now() <= busyUntil_) redraw();
        now = Clock::now();
        if (now >= until) return true;
        double wait = std::min(kFrameInterval, until - now);
        SDL_WaitEventTimeout(nullptr, std::max(1, static_cast<int>(wait * 1000)));
    }
}

void WindowDriver::handle(const SDL_Event& event, ScriptPlayer& player) {
    using Op = TouchScript::Op;
    std::string ignored;
    auto at = [](int x, int y) { return CGPointMake(CGFloat(x) / kScale, CGFloat(y) / kScale); };
    switch (event.type) {
        case SDL_QUIT: closed_ = true; return;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) closed_ = true;
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
                SDL_RenderPresent(renderer_);
            }
            return;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button != SDL_BUTTON_LEFT) return;
            mouseDown_ = true;
            player.play(command(Op::Down, at(event.button.x, event.button.y)), ignored);
            break;
        case SDL_MOUSEMOTION:
            if (!mouseDown_) return;
            player.play(command(Op::Move, at(event.motion.x, event.motion.y)), ignored);
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT || !mouseDown_) return;
            mouseDown_ = false;
            player.play(command(Op::Up), ignored);
            break;
        case SDL_TEXTINPUT: player.play(command(Op::Type, CGPointZero, event.text.text), ignored); break;
        case SDL_KEYDOWN: {
            SDL_Keycode key = event.key.keysym.sym;
            TouchScript::Command c = command(Op::Key);
            // Control and an arrow turn the device: left, right, up for upright.
            if ((event.key.keysym.mod & KMOD_CTRL) && (key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_UP)) {
                c.op = Op::Rotate;
                c.turn = key == SDLK_LEFT    ? TouchScript::Turn::Left
                         : key == SDLK_RIGHT ? TouchScript::Turn::Right
                                             : TouchScript::Turn::Portrait;
            } else if (key == SDLK_RETURN || key == SDLK_KP_ENTER) {
                c.key = TouchScript::Key::Return;
            } else if (key == SDLK_BACKSPACE) {
                c.key = TouchScript::Key::Backspace;
            } else {
                return;
            }
            // Nothing on screen may take typing; the key is then lost, as on the phone.
            player.play(c, ignored);
            break;
        }
        default: return;
    }
    busyUntil_ = Clock::now() + kSettleTime;
}

void WindowDriver::redraw() {
    {
        CGContextStateGuard saved(frame_);
        cairo_t* cr = frame_->cairo();
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
    }
    UIApplication* app = UIApplication::sharedApplication();
    if (UIWindow* window = app ? app->keyWindow() : nullptr) {
        CGContextStateGuard saved(frame_);
        CGContextScaleCTM(frame_, kScale, kScale);
        ViewRenderer::render(window, frame_);
    }
    cairo_surface_t* surface = frame_->surface();
    cairo_surface_flush(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    SDL_Rect part = changedPart(pixels, shown_.data(), width, height, stride);
    if (part.w == 0) return;
    std::size_t offset = static_cast<std::size_t>(part.y) * static_cast<std::size_t>(stride) +
                         static_cast<std::size_t>(part.x) * 4;
    SDL_UpdateTexture(texture_, &part, pixels + offset, stride);
    for (int row = part.y; row < part.y + part.h; ++row) {
        std::size_t start = static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) +
                            static_cast<std::size_t>(part.x) * 4;
        std::memcpy(shown_.data() + start, pixels + start, static_cast<std::size_t>(part.w) * 4);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool WindowDriver::writeShot(const std::string& path, std::string& error) {
    if (cairo_surface_write_to_png(frame_->surface(), path.c_str()) == CAIRO_STATUS_SUCCESS) return true;
    error = "cannot write the screenshot " + path;
    return false;
}
