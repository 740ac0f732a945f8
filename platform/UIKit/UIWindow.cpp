#include "UIKit/UIWindow.h"


#include "Foundation/NSArray.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSTimer.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIEvent.h"
#include "UIKit/UIKeyboard.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

Class UIWindow::class_() {
    static Class cls = objc::ClassBuilder<UIWindow>("UIWindow", UIView::class_())
                           .method<&UIWindow::makeKeyAndVisible>("makeKeyAndVisible")
                           .method<&UIWindow::makeKeyWindow>("makeKeyWindow")
                           .method<&UIWindow::isKeyWindow>("isKeyWindow")
                           .method<&UIWindow::sendEvent>("sendEvent:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIWindow::class_();

UIWindow::UIWindow() {
    setHidden(true);
    if (UIApplication* app = UIApplication::sharedApplication()) app->windowMade(this);
}

UIWindow::~UIWindow() {
    stopDelay();
    if (UIApplication* app = UIApplication::sharedApplication()) app->windowWillGo(this);
}

void UIWindow::makeKeyAndVisible() {
    setHidden(false);
    makeKeyWindow();
}

void UIWindow::makeKeyWindow() {
    if (UIApplication* app = UIApplication::sharedApplication()) app->setKeyWindow(this);
}

bool UIWindow::isKeyWindow() const {
    UIApplication* app = UIApplication::sharedApplication();
    return app && app->keyWindow() == this;
}

namespace {

bool isLandscape(UIInterfaceOrientation orientation) {
    return orientation == UIInterfaceOrientationLandscapeLeft || orientation == UIInterfaceOrientationLandscapeRight;
}

}  // namespace

CGAffineTransform UIWindow::contentTransform() const {
    // Quarter turns written out, so that turned sizes stay whole numbers.
    switch (orientation_) {
        case UIInterfaceOrientationLandscapeLeft: return CGAffineTransformMake(0, -1, 1, 0, 0, 0);
        case UIInterfaceOrientationLandscapeRight: return CGAffineTransformMake(0, 1, -1, 0, 0, 0);
        case UIInterfaceOrientationPortraitUpsideDown: return CGAffineTransformMake(-1, 0, 0, -1, 0, 0);
        default: return CGAffineTransformIdentity;
    }
}

bool UIWindow::rotateToInterfaceOrientation(UIInterfaceOrientation orientation) {
    if (orientation < UIInterfaceOrientationPortrait || orientation > UIInterfaceOrientationLandscapeRight) return false;
    if (orientation == orientation_) return true;
    // The screens' views, back to front; the front one decides.
    std::vector<UIView*> screens;
    Ref<NSArray> views = subviews();
    for (NSUInteger i = 0; i < views->count(); ++i) {
        auto* view = objc::cast<UIView>(views->objectAtIndex(i));
        if (UIViewController::controllerOfView(view)) screens.push_back(view);
    }
    if (screens.empty()) return false;
    UIViewController* top = UIViewController::controllerOfView(screens.back());
    if (auto* navigation = objc::cast<UINavigationController>(top))
        if (navigation->topViewController()) top = navigation->topViewController();
    if (!objc::send<bool, NSInteger>(top, "shouldAutorotateToInterfaceOrientation:", orientation)) return false;
    orientation_ = orientation;
    for (UIView* view : screens) orientScreenView(view);
    UIKeyboard::placeInWindow();
    return true;
}

void UIWindow::orientScreenView(UIView* view) {
    if (!view || view->superview() != this) return;
    // The bounding box in the window, whatever the view's turn was.
    const CGRect area = view->frame();
    const bool landscape = isLandscape(orientation_);
    view->setTransform(contentTransform());
    view->setBounds(CGRectMake(0, 0, landscape ? area.size.height : area.size.width,
                               landscape ? area.size.width : area.size.height));
    view->setCenter(CGPointMake(CGRectGetMidX(area), CGRectGetMidY(area)));
}

UIResponder* UIWindow::nextResponder() const { return UIApplication::sharedApplication(); }

void UIWindow::sendEvent(UIEvent* event) {
    if (!event) return;
    auto* touch = objc::cast<UITouch>(event->allTouches()->anyObject());
    if (!touch || touch->window() != this) return;
    switch (touch->phase()) {
        case UITouchPhaseBegan: touchBegan(touch, event); break;
        case UITouchPhaseMoved: touchMoved(touch, event); break;
        case UITouchPhaseStationary: break;
        case UITouchPhaseEnded: touchEnded(touch, event, false); break;
        case UITouchPhaseCancelled: touchEnded(touch, event, true); break;
    }
}

void UIWindow::touchBegan(UITouch* touch, UIEvent* event) {
    stopDelay();
    tracking_ = Tracking();
    tracking_.touch = touch;
    tracking_.start = touch->locationInView(nullptr);
    bool hold = false;
    for (UIView* v = touch->view(); v; v = v->superview()) {
        if (auto* scroll = objc::cast<UIScrollView>(v)) {
            tracking_.scrollViews.emplace_back(scroll);
            hold = hold || (scroll->isScrollEnabled() && scroll->delaysContentTouches());
        }
    }
    if (!hold) {
        deliver("touchesBegan:withEvent:", touch, event);
        return;
    }
    Ref<UIEvent> held(event);
    tracking_.delay = NSTimer::scheduledTimerWithTimeInterval(UIScrollView::kContentTouchDelay, false,
                                                              [this, held](NSTimer*) { deliverHeldTouch(held); });
}

void UIWindow::deliverHeldTouch(UIEvent* event) {
    stopDelay();
    UITouch* touch = tracking_.touch;
    if (!touch || tracking_.delivered || tracking_.dragging) return;
    // The content sees the touch come down, whatever it did while held.
    UITouchPhase phase = touch->phase();
    touch->updatePhase(UITouchPhaseBegan);
    deliver("touchesBegan:withEvent:", touch, event);
    touch->updatePhase(phase);
}

void UIWindow::touchMoved(UITouch* touch, UIEvent* event) {
    if (touch != tracking_.touch) return;
    CGPoint at = touch->locationInView(nullptr);
    if (tracking_.dragging) {
        tracking_.dragging->dragTo(at);
        return;
    }
    CGPoint translation = CGPointMake(at.x - tracking_.start.x, at.y - tracking_.start.y);
    for (const auto& scroll : tracking_.scrollViews) {
        if (!scroll->shouldBeginDragging(translation)) continue;
        // Content that already has the touch keeps it unless it may be taken.
        if (tracking_.delivered && !scroll->canCancelContentTouches()) break;
        stopDelay();
        if (tracking_.delivered) {
            UITouchPhase phase = touch->phase();
            touch->updatePhase(UITouchPhaseCancelled);
            deliver("touchesCancelled:withEvent:", touch, event);
            touch->updatePhase(phase);
            tracking_.delivered = false;
        }
        tracking_.dragging = scroll;
        scroll->beginDragging(at);
        return;
    }
    if (tracking_.delivered) deliver("touchesMoved:withEvent:", touch, event);
}

void UIWindow::touchEnded(UITouch* touch, UIEvent* event, bool cancelled) {
    if (touch != tracking_.touch) return;
    Tracking ended = std::move(tracking_);
    tracking_ = Tracking();
    if (ended.delay) ended.delay->invalidate();
    if (ended.dragging) {
        ended.dragging->endDragging();
        return;
    }
    if (cancelled) {
        if (ended.delivered) deliver("touchesCancelled:withEvent:", touch, event);
        return;
    }
    if (!ended.delivered) {
        // A quick tap on delayed content: it sees the whole touch at once.
        touch->updatePhase(UITouchPhaseBegan);
        deliver("touchesBegan:withEvent:", touch, event);
        touch->updatePhase(UITouchPhaseEnded);
    }
    deliver("touchesEnded:withEvent:", touch, event);
}

void UIWindow::deliver(const char* selector, UITouch* touch, UIEvent* event) {
    UIView* view = touch->view();
    if (!view) return;
    if (touch == tracking_.touch) tracking_.delivered = true;
    Ref<NSSet> touches = NSSet::setWithObjects({touch});
    objc::send<void, id, id>(view, selector, touches.get(), event);
}

void UIWindow::stopDelay() {
    if (tracking_.delay) {
        tracking_.delay->invalidate();
        tracking_.delay = nullptr;
    }
}
