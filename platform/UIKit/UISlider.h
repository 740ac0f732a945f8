// A horizontal slider: a thumb on a track between a minimum and a maximum
// value, with optional images at the two ends that narrow the track. The
// finger coming down on the track or thumb puts the thumb under it, and the
// thumb follows the finger until it lifts; each change of value sends the
// value-changed event at once when the slider is continuous (the default),
// else once when the finger lifts. Setting the value in code sends nothing.
#pragma once

#include "UIKit/UIControl.h"

class UIImage;

class UISlider : public UIControl {
    KORVEL_OBJC_CLASS(UISlider)
public:
    static constexpr CGFloat kHeight = 23;
    static constexpr CGFloat kThumbSize = 23;
    // Between an end image and the track.
    static constexpr CGFloat kImageGap = 6;

    UISlider();
    ~UISlider() override;

    float value() const { return value_; }
    // Kept within the minimum and maximum; a value that is not a number is
    // ignored.
    void setValue(float value);
    void setValue(float value, bool animated);
    float minimumValue() const { return minimum_; }
    // A minimum above the maximum moves the maximum up to it, and the
    // reverse; the value is kept inside.
    void setMinimumValue(float minimum);
    float maximumValue() const { return maximum_; }
    void setMaximumValue(float maximum);
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    UIImage* minimumValueImage() const { return minimumImage_; }
    void setMinimumValueImage(UIImage* image);
    UIImage* maximumValueImage() const { return maximumImage_; }
    void setMaximumValueImage(UIImage* image);

    // The track, less the end images; the thumb's centre runs along it
    // inset by half a thumb.
    CGRect trackRectForBounds(CGRect bounds) const;
    CGRect thumbRectForBounds(CGRect bounds, CGRect trackRect, float value) const;

    CGSize sizeThatFits(CGSize size) const override;
    void touchesBegan(NSSet* touches, UIEvent* event) override;
    void touchesMoved(NSSet* touches, UIEvent* event) override;
    void touchesEnded(NSSet* touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    // Moves the thumb under the touch; true when the value changed.
    bool follow(NSSet* touches);
    float clamped(float value) const;

    float value_ = 0;
    float minimum_ = 0;
    float maximum_ = 1;
    bool continuous_ = true;
    bool changedWhileTracking_ = false;
    Ref<UIImage> minimumImage_;
    Ref<UIImage> maximumImage_;
};
