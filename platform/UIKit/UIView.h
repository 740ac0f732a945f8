// A rectangle on screen with its subviews. Geometry and look live in the
// view's layer (frame, bounds, center and transform are the layer's position,
// anchor point, bounds and transform; alpha, hidden and clipsToBounds its
// opacity, hidden and masksToBounds), so a change made through either shows
// in both.
//
// Creation follows the platform: the default constructor is "alloc" (a view
// with a zero frame), `init`/`initWithFrame:` finish it. C++ callers use
// withFrame<V>(frame), which does both.
//
// A superview owns its subviews; `superview` is a plain back-pointer.
#pragma once

#include <vector>

#include "CoreGraphics/CGAffineTransform.h"
#include "QuartzCore/CALayer.h"
#include "UIKit/UIResponder.h"

class NSArray;
class NSString;
class UIColor;

typedef NSUInteger UIViewAutoresizing;
enum : NSUInteger {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1,
    UIViewAutoresizingFlexibleWidth = 2,
    UIViewAutoresizingFlexibleRightMargin = 4,
    UIViewAutoresizingFlexibleTopMargin = 8,
    UIViewAutoresizingFlexibleHeight = 16,
    UIViewAutoresizingFlexibleBottomMargin = 32,
};

class UIView : public UIResponder {
    KORVEL_OBJC_CLASS(UIView)
public:
    UIView();
    ~UIView() override;

    // initWithFrame:(CGRectZero).
    UIView* init();
    virtual UIView* initWithFrame(CGRect frame);

    template <class V = UIView>
    static Ref<V> withFrame(CGRect frame) {
        auto view = make<V>();
        view->initWithFrame(frame);
        return view;
    }

    CALayer* layer() const { return layer_; }

    CGRect frame() const { return layer_->frame(); }
    // A change of size resizes the subviews by their autoresizing masks and
    // asks for layout.
    virtual void setFrame(CGRect frame);
    CGRect bounds() const { return layer_->bounds(); }
    virtual void setBounds(CGRect bounds);
    CGPoint center() const { return layer_->position(); }
    void setCenter(CGPoint center) { layer_->setPosition(center); }
    CGAffineTransform transform() const { return layer_->affineTransform(); }
    void setTransform(CGAffineTransform transform) { layer_->setAffineTransform(transform); }

    // Hierarchy.
    UIView* superview() const { return superview_; }
    // A copy of the subviews, back to front.
    Ref<NSArray> subviews() const;
    // Puts `view` on top of the subviews, taking it from its old superview
    // (or moving it to the top when it is already a subview). A nil view, the
    // view itself or one of its superviews is refused.
    void addSubview(UIView* view);
    // The index is clamped to the subviews' range.
    void insertSubview(UIView* view, NSInteger index);
    void removeFromSuperview();
    // Views that are not subviews of this one are ignored.
    void bringSubviewToFront(UIView* view);
    void sendSubviewToBack(UIView* view);
    bool isDescendantOfView(const UIView* view) const;
    // This view or the first match depth-first through the subviews in order.
    UIView* viewWithTag(NSInteger tag);
    // The topmost superview when it is a window, else nil.
    UIView* window() const;

    NSInteger tag() const { return tag_; }
    void setTag(NSInteger tag) { tag_ = tag; }
    CGFloat alpha() const { return layer_->opacity(); }
    void setAlpha(CGFloat alpha) { layer_->setOpacity(alpha); }
    bool isHidden() const { return layer_->isHidden(); }
    void setHidden(bool hidden) { layer_->setHidden(hidden); }
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    // nil: no background. The layer gets the colour's CGColor.
    UIColor* backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(UIColor* color);
    bool clipsToBounds() const { return layer_->masksToBounds(); }
    void setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    // Whether the view takes more than one finger at a time.
    bool isMultipleTouchEnabled() const { return multipleTouchEnabled_; }
    void setMultipleTouchEnabled(bool enabled) { multipleTouchEnabled_ = enabled; }
    UIViewAutoresizing autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(UIViewAutoresizing mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool resizes) { autoresizesSubviews_ = resizes; }

    // Animation blocks (UIViewAnimationState): changes of frame, bounds,
    // center, transform and alpha made between beginAnimations and
    // commitAnimations are animated.
    static void beginAnimations(NSString* animationID, void* context);
    static void commitAnimations();
    static void setAnimationDuration(double duration);
    static void setAnimationDelay(double delay);
    // A UIViewAnimationCurve.
    static void setAnimationCurve(NSInteger curve);
    // Retained until the block's animations have stopped.
    static void setAnimationDelegate(NSObject* delegate);
    // animationDidStop:finished:context: or a form with fewer arguments.
    static void setAnimationDidStopSelector(SEL selector);

    // Drawing: the renderer calls drawRect: with the view's bounds and a
    // current context (UIGraphicsGetCurrentContext) in the view's own
    // coordinates, clipped to its bounds.
    virtual void drawRect(CGRect rect);
    virtual void setNeedsDisplay() { needsDisplay_ = true; }
    bool needsDisplay() const { return needsDisplay_; }
    // Called by whoever drew the view.
    void clearNeedsDisplay() { needsDisplay_ = false; }

    // Layout: a view needs layout when it is new and after a change of size.
    void setNeedsLayout() { needsLayout_ = true; }
    // Lays out this view if it needs it, then its subviews.
    void layoutIfNeeded();
    virtual void layoutSubviews();

    virtual CGSize sizeThatFits(CGSize size) const;
    // Keeps the frame's origin and takes the size sizeThatFits: gives.
    void sizeToFit();

    // Conversions between this view's coordinates and another's in the same
    // tree; a nil view means the topmost superview's.
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;
    CGRect convertRectFromView(CGRect rect, const UIView* view) const;

    // The deepest visible, interactive view under `point` (in this view's
    // coordinates), front subviews first; nil when the point misses.
    virtual UIView* hitTest(CGPoint point, UIEvent* event);
    virtual bool pointInside(CGPoint point, UIEvent* event) const;

    UIResponder* nextResponder() const override { return superview_; }

private:
    // Takes this view's coordinates into those of the topmost superview.
    CGAffineTransform transformToRoot() const;
    // Applies the autoresizing mask after the superview's size changed.
    void resizeWithOldSuperviewSize(CGSize oldSize, CGSize newSize);
    void sizeChanged(CGSize oldSize);
    std::vector<Ref<UIView>>::iterator findSubview(const UIView* view);
    // Takes this view out of its superview on its way to `nextSuperview`
    // (nil when it goes nowhere). A first responder within it that leaves
    // its window resigns first, as on the phone, so its keyboard goes too.
    void detachFromSuperview(const UIView* nextSuperview);

    Ref<CALayer> layer_;
    UIView* superview_ = nullptr;
    std::vector<Ref<UIView>> subviews_;
    NSInteger tag_ = 0;
    Ref<UIColor> backgroundColor_;
    bool opaque_ = true;
    bool userInteractionEnabled_ = true;
    bool multipleTouchEnabled_ = false;
    UIViewAutoresizing autoresizingMask_ = UIViewAutoresizingNone;
    bool autoresizesSubviews_ = true;
    bool needsDisplay_ = true;
    bool needsLayout_ = true;
};
