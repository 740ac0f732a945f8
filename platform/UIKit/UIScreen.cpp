#include "UIKit/UIScreen.h"

#include "objc/ClassBuilder.h"

Class UIScreen::class_() {
    static Class cls = objc::ClassBuilder<UIScreen>("UIScreen", NSObject::class_())
                           .classMethod<&UIScreen::mainScreen>("mainScreen")
                           .method<&UIScreen::bounds>("bounds")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIScreen::class_();

UIScreen* UIScreen::mainScreen() {
    // Lives as long as the process, like the hardware it stands for.
    static UIScreen* screen = new UIScreen();
    return screen;
}

CGRect UIScreen::bounds() const { return CGRectMake(0, 0, 320, 480); }
