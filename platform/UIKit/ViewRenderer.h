// Draws a view tree as the screen shows it: for each visible view its
// background (rounded by the layer's corner radius), then its drawRect:, then
// its subviews in order, each clipped to the view's bounds when the view
// clips. Opacity multiplies down the tree; hidden views and their subviews
// are skipped. Every value drawn is read from the layers' presentation
// layers, so what is drawn is what is shown at this moment.
#pragma once

#include <string>

#include "CoreGraphics/CGContext.h"

class UIView;
class CALayer;

class ViewRenderer {
public:
    // Draws `root` (its bounds at the context's origin) and its subtree. The
    // tree is laid out first.
    static void render(UIView* root, CGContextRef context);
    // Writes a PNG of `root`'s bounds at `scale` pixels per point. NO when
    // there is nothing to draw into (no view, an empty or huge size, a bad
    // scale) or the file cannot be written.
    static bool renderToPNG(UIView* root, const std::string& path, CGFloat scale);
    // Begins a path of `r` with corners of `radius` (at most half a side; a
    // plain rectangle when not positive), as layers clip and fill their bounds.
    static void addRoundedRectPath(CGContextRef c, CGRect r, CGFloat radius);

private:
    // Draws `view`, whose bounds' coordinates the context's transform is in,
    // as `shown` presents it.
    static void drawView(UIView* view, const CALayer* shown, CGContextRef context, CGFloat inheritedAlpha);
};
