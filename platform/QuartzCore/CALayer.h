// The layer behind every view. It holds the model values of the geometry and
// look of a view: its position in the superlayer, the anchor point (the point
// of the bounds, in unit coordinates, that sits at the position and about
// which the transform applies), the bounds, the transform, opacity, hidden,
// corner radius, background colour and masking.
//
// The frame is not stored: it is derived from position, anchor point, bounds
// and transform, so moving the anchor point moves the frame.
//
// What is drawn comes from presentationLayer(), the one place where the values
// shown at this moment are read; animations make those differ from the model.
//
// Animations run on the platform clock. An animation added under a key
// replaces the one under that key; animationForKey: answers the very object
// added. Each animation's delegate hears animationDidStart: when it begins
// and animationDidStop:finished: once: with YES when it runs to its end,
// with NO, on a later pass of the run loop, when it is removed (or replaced)
// before that. An animation that is not removed on completion stays in the
// layer after its end but no longer changes what is shown.
//
// Changes made during one pass of the main run loop form one transaction:
// the value an animation without a from value starts from is the value the
// layer presented before the pass's first change.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/CGAffineTransform.h"
#include "CoreGraphics/CGColor.h"
#include "objc/NSObject.h"

class CAAnimation;
class CABasicAnimation;
class NSArray;
class NSString;
class NSTimer;

class CALayer : public NSObject {
    KORVEL_OBJC_CLASS(CALayer)
public:
    CALayer() = default;

    static Ref<CALayer> layer();

    CGPoint position() const { return model_.position; }
    void setPosition(CGPoint position) {
        willChange("position");
        model_.position = position;
    }
    // Default (0.5, 0.5), the centre of the bounds.
    CGPoint anchorPoint() const { return model_.anchorPoint; }
    void setAnchorPoint(CGPoint anchorPoint) {
        willChange("anchorPoint");
        model_.anchorPoint = anchorPoint;
    }
    CGRect bounds() const { return model_.bounds; }
    void setBounds(CGRect bounds) {
        willChange("bounds");
        model_.bounds = bounds;
    }
    CGAffineTransform affineTransform() const { return model_.transform; }
    void setAffineTransform(CGAffineTransform transform) {
        willChange("transform");
        model_.transform = transform;
    }

    // The bounds as the superlayer sees them. Setting it with the identity
    // transform keeps the anchor point and places position and bounds size to
    // match; with a scale it sizes the bounds so that the scaled frame fits;
    // with a rotation it moves the layer's centre and keeps its size.
    CGRect frame() const;
    void setFrame(CGRect frame);

    float opacity() const { return model_.opacity; }
    void setOpacity(float opacity) {
        willChange("opacity");
        model_.opacity = opacity;
    }
    bool isHidden() const { return model_.hidden; }
    void setHidden(bool hidden) {
        willChange("hidden");
        model_.hidden = hidden;
    }
    CGFloat cornerRadius() const { return model_.cornerRadius; }
    void setCornerRadius(CGFloat radius) {
        willChange("cornerRadius");
        model_.cornerRadius = radius;
    }
    // nil: no background.
    CGColor* backgroundColor() const { return model_.backgroundColor; }
    void setBackgroundColor(CGColor* color) {
        willChange("backgroundColor");
        model_.backgroundColor = color;
    }
    bool masksToBounds() const { return model_.masksToBounds; }
    void setMasksToBounds(bool masks) {
        willChange("masksToBounds");
        model_.masksToBounds = masks;
    }

    // Animations. A nil animation is ignored; a nil key adds an animation
    // that no key finds.
    void addAnimation(CAAnimation* animation, NSString* key);
    CAAnimation* animationForKey(NSString* key) const;
    void removeAnimationForKey(NSString* key);
    void removeAllAnimations();
    // The keys of the animations held, in the order they were added; nil
    // when there are none.
    Ref<NSArray> animationKeys() const;

    // Told of every change to a model value, just before it is made, with
    // the property's key path. View animation blocks listen here.
    using ChangeListener = std::function<void(CALayer* layer, const char* keyPath)>;
    static void setChangeListener(ChangeListener listener);

    // A new layer holding the values shown at this moment: the model values
    // with every running animation applied.
    Ref<CALayer> presentationLayer() const;

    // Takes a point of this layer's own coordinate space (that of its bounds)
    // into its superlayer's.
    CGAffineTransform transformToSuperlayer() const;

    ~CALayer() override;

private:
    struct Values {
        CGPoint position;
        CGPoint anchorPoint = {0.5f, 0.5f};
        CGRect bounds;
        CGAffineTransform transform;
        float opacity = 1;
        bool hidden = false;
        CGFloat cornerRadius = 0;
        Ref<CGColor> backgroundColor;
        bool masksToBounds = false;
    };

    // An animation as this layer runs it.
    struct Running {
        std::string key;
        bool hasKey = false;
        Ref<CAAnimation> animation;
        double begin = 0;
        // For each property animation without a from value, the value
        // presented before the change it goes with.
        std::vector<std::pair<const CABasicAnimation*, std::vector<double>>> previous;
        Ref<NSTimer> startTimer;
        Ref<NSTimer> stopTimer;
        bool startReported = false;
        bool stopped = false;
    };

    void willChange(const char* keyPath);
    // The model values with the running animations applied at `time`.
    Values presented(double time) const;
    // Takes `running` out of the list; a removal before the end is reported
    // as not finished.
    void remove(std::vector<std::unique_ptr<Running>>::iterator running);
    void started(CAAnimation* animation);
    void ended(Running* running);

    // A property's numbers by key path; false for a key path that is not an
    // animatable property.
    static bool read(const Values& values, const std::string& keyPath, std::vector<double>& out);
    static void write(Values& values, const std::string& keyPath, const std::vector<double>& in);

    Values model_;
    // The values presented before the first change of the present
    // transaction, and which transaction that was.
    Values before_;
    unsigned long long beforeTransaction_ = 0;
    std::vector<std::unique_ptr<Running>> animations_;
};
