#include "UIKit/UIDevice.h"

#include "objc/ClassBuilder.h"

Class UIDevice::class_() {
    static Class cls = objc::ClassBuilder<UIDevice>("UIDevice", NSObject::class_())
                           .classMethod<&UIDevice::currentDevice>("currentDevice")
                           .method<&UIDevice::userInterfaceIdiom>("userInterfaceIdiom")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIDevice::class_();

UIDevice* UIDevice::currentDevice() {
    // Lives as long as the process, like the hardware it stands for.
    static UIDevice* device = new UIDevice();
    return device;
}
