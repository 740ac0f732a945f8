// An image read from a PNG file, drawn into the current context
// (UIGraphicsGetCurrentContext) stretched, at its own size or tiled. One
// pixel is one point.
//
// imageNamed: looks in the main bundle and keeps what it loaded, so every
// later call for the same name answers the very same image;
// imageWithContentsOfFile: reads the file afresh each time. Both answer nil
// for a missing file or one that is not a readable PNG.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "CoreGraphics/CGImage.h"
#include "objc/NSObject.h"

class NSString;

class UIImage : public NSObject {
    KORVEL_OBJC_CLASS(UIImage)
public:
    explicit UIImage(Ref<::CGImage> image);
    ~UIImage() override;

    // A name without an extension means a PNG ("gear" is "gear.png").
    static Ref<UIImage> imageNamed(NSString* name);
    // A phone path, resolved inside the device folder.
    static Ref<UIImage> imageWithContentsOfFile(NSString* path);

    CGSize size() const;
    CGImageRef CGImage() const { return image_; }

    // The whole image scaled to fill `rect`.
    void drawInRect(CGRect rect) const;
    // At its own size, its top left corner at `point`.
    void drawAtPoint(CGPoint point) const;
    // Repeated across `rect`, the tiles lined up with the context's origin.
    void drawAsPatternInRect(CGRect rect) const;

private:
    Ref<::CGImage> image_;
};
