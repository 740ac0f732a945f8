// The root of a view tree on screen. The window delivers the touches the
// application hands it: each touch goes, by selector, to the view it began in
// (found by hit-testing when the finger came down) and from there along the
// responder chain; scroll views above that view may take the finger over for
// a drag (see UIScrollView).
//
// A window starts hidden; makeKeyAndVisible shows it and makes it the
// application's key window, the one the host draws and dumps.
//
// When the device turns, the window asks the screen on top whether it turns
// too (shouldAutorotateToInterfaceOrientation:); if so the views of its
// screens are turned about their centres, their bounds swapped between the
// upright and the landscape shape, and the keyboard follows them.
#pragma once

#include <vector>

#include "UIKit/UIApplication.h"
#include "UIKit/UIView.h"

class NSTimer;
class UIEvent;
class UIScrollView;
class UITouch;

class UIWindow : public UIView {
    KORVEL_OBJC_CLASS(UIWindow)
public:
    UIWindow();
    ~UIWindow() override;

    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;

    UIInterfaceOrientation interfaceOrientation() const { return orientation_; }
    // Answers whether the interface turned (it also answers YES when it
    // already lies that way).
    bool rotateToInterfaceOrientation(UIInterfaceOrientation orientation);
    // The turn of the screens' views in the present orientation.
    CGAffineTransform contentTransform() const;
    // Turns a screen's view, a subview of the window, to the present
    // orientation over the part of the window it covers; for a screen that
    // comes into the window after it turned.
    void orientScreenView(UIView* view);

    void sendEvent(UIEvent* event);

    // After the window comes the application.
    UIResponder* nextResponder() const override;

private:
    // What the window knows of the finger between events.
    struct Tracking {
        Ref<UITouch> touch;
        CGPoint start;
        // Scroll views above the touched view, innermost first.
        std::vector<Ref<UIScrollView>> scrollViews;
        // Whether the touched view has seen touchesBegan.
        bool delivered = false;
        Ref<UIScrollView> dragging;
        Ref<NSTimer> delay;
    };

    void touchBegan(UITouch* touch, UIEvent* event);
    void touchMoved(UITouch* touch, UIEvent* event);
    void touchEnded(UITouch* touch, UIEvent* event, bool cancelled);
    // Hands the held touch-down to the content.
    void deliverHeldTouch(UIEvent* event);
    void deliver(const char* selector, UITouch* touch, UIEvent* event);
    void stopDelay();

    Tracking tracking_;
    UIInterfaceOrientation orientation_ = UIInterfaceOrientationPortrait;
};
