// What many tests need alike: a rectangle compared field by field, and the
// teardown of alerts a test left up.
#pragma once

#include <gtest/gtest.h>

#include "CoreGraphics/CGGeometry.h"
#include "UIKit/UIAlertView.h"

// Within a ten-thousandth of a point: layout adds and scales 32-bit floats.
inline void expectRect(CGRect r, CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
    EXPECT_NEAR(r.origin.x, x, 1e-4);
    EXPECT_NEAR(r.origin.y, y, 1e-4);
    EXPECT_NEAR(r.size.width, w, 1e-4);
    EXPECT_NEAR(r.size.height, h, 1e-4);
}

// Alerts a test left up go quietly: their delegates may be gone.
inline void dismissVisibleAlerts() {
    for (UIAlertView* alert : UIAlertView::visibleAlerts()) {
        alert->setDelegate(nullptr);
        alert->dismissWithClickedButtonIndex(-1, false);
    }
}
