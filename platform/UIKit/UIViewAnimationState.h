// One view animation block, from beginAnimations:context: to
// commitAnimations. While a block is open, every change of a view's frame,
// bounds, center, transform or alpha is noted (through its layer); at the
// commit each noted property gets a layer animation from the value shown
// before the change to the new one, with the block's duration, delay and
// curve. When the block's last animation has stopped, the block's delegate
// gets its did-stop selector with the block's name, whether every animation
// finished (an NSNumber) and the context.
//
// Blocks nest: a change belongs to the innermost open block.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "objc/NSObject.h"

class CAAnimation;
class CALayer;
class NSString;

enum UIViewAnimationCurve : NSInteger {
    UIViewAnimationCurveEaseInOut = 0,
    UIViewAnimationCurveEaseIn = 1,
    UIViewAnimationCurveEaseOut = 2,
    UIViewAnimationCurveLinear = 3,
};

class UIViewAnimationState : public NSObject {
    KORVEL_OBJC_CLASS(UIViewAnimationState)
public:
    static constexpr double kDefaultDuration = 0.2;

    UIViewAnimationState();
    ~UIViewAnimationState() override;

    static void begin(NSString* animationID, void* context);
    // Does nothing without an open block.
    static void commit();
    // These set the innermost open block; without one they do nothing.
    static void setDuration(double duration);
    static void setDelay(double delay);
    static void setCurve(NSInteger curve);
    static void setDelegate(NSObject* delegate);
    static void setDidStopSelector(SEL selector);

    // The delegate of the block's layer animations.
    void animationDidStop(CAAnimation* animation, bool finished);

private:
    static std::vector<Ref<UIViewAnimationState>>& open();
    static UIViewAnimationState* innermost();
    void noteChange(CALayer* layer, const char* keyPath);
    void start();
    void tellDelegate();

    Ref<NSString> animationID_;
    void* context_ = nullptr;
    double duration_ = kDefaultDuration;
    double delay_ = 0;
    UIViewAnimationCurve curve_ = UIViewAnimationCurveEaseInOut;
    Ref<NSObject> delegate_;
    SEL didStopSelector_ = nullptr;
    std::vector<std::pair<Ref<CALayer>, std::string>> changes_;
    int running_ = 0;
    bool allFinished_ = true;
};
