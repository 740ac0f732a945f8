// The phone itself, as the interface code asks about it. The stand-in device
// is a phone unless the host makes it a tablet (--tablet), so that code which
// prefers tablet resources can be tried.
#pragma once

#include "objc/NSObject.h"

typedef NSInteger UIUserInterfaceIdiom;
enum : NSInteger {
    UIUserInterfaceIdiomPhone = 0,
    UIUserInterfaceIdiomPad = 1,
};

class UIDevice : public NSObject {
    KORVEL_OBJC_CLASS(UIDevice)
public:
    static UIDevice* currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    // The host's choice; not an operation of the phone's.
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }

private:
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiomPhone;
};
