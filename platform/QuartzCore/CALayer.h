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
#pragma once

#include "CoreGraphics/CGAffineTransform.h"
#include "CoreGraphics/CGColor.h"
#include "objc/NSObject.h"

class CALayer : public NSObject {
    KORVEL_OBJC_CLASS(CALayer)
public:
    CALayer() = default;

    static Ref<CALayer> layer();

    CGPoint position() const { return model_.position; }
    void setPosition(CGPoint position) { model_.position = position; }
    // Default (0.5, 0.5), the centre of the bounds.
    CGPoint anchorPoint() const { return model_.anchorPoint; }
    void setAnchorPoint(CGPoint anchorPoint) { model_.anchorPoint = anchorPoint; }
    CGRect bounds() const { return model_.bounds; }
    void setBounds(CGRect bounds) { model_.bounds = bounds; }
    CGAffineTransform affineTransform() const { return model_.transform; }
    void setAffineTransform(CGAffineTransform transform) { model_.transform = transform; }

    // The bounds as the superlayer sees them. Setting it with the identity
    // transform keeps the anchor point and places position and bounds size to
    // match; with a scale it sizes the bounds so that the scaled frame fits;
    // with a rotation it moves the layer's centre and keeps its size.
    CGRect frame() const;
    void setFrame(CGRect frame);

    float opacity() const { return model_.opacity; }
    void setOpacity(float opacity) { model_.opacity = opacity; }
    bool isHidden() const { return model_.hidden; }
    void setHidden(bool hidden) { model_.hidden = hidden; }
    CGFloat cornerRadius() const { return model_.cornerRadius; }
    void setCornerRadius(CGFloat radius) { model_.cornerRadius = radius; }
    // nil: no background.
    CGColor* backgroundColor() const { return model_.backgroundColor; }
    void setBackgroundColor(CGColor* color) { model_.backgroundColor = color; }
    bool masksToBounds() const { return model_.masksToBounds; }
    void setMasksToBounds(bool masks) { model_.masksToBounds = masks; }

    // A new layer holding the values shown at this moment.
    Ref<CALayer> presentationLayer() const;

    // Takes a point of this layer's own coordinate space (that of its bounds)
    // into its superlayer's.
    CGAffineTransform transformToSuperlayer() const;

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

    Values model_;
};
