#include "ColorPicker/AboutScreenViewController.h"

#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIView.h"
#include "objc/ClassBuilder.h"

#define KORVEL_PRODUCT_PAGE "http://www.brisval.com/korvel/"

const char* const AboutScreenViewController::kSupportURL = "mailto:support@brisval.com";
const char* const AboutScreenViewController::kTellAFriendURL =
    "mailto:?subject=Look%20at%20this%20cool%20app!&body="
    "Hi,%20I%20found%20this%20application%20and%20thought%20you%20might%20like%20it%20" KORVEL_PRODUCT_PAGE "%20";
const char* const AboutScreenViewController::kAppCatalogURL = "http://www.brisval.com/apps/";

Class AboutScreenViewController::class_() {
    using A = AboutScreenViewController;
    static Class cls = objc::ClassBuilder<A>("AboutScreenViewController", UIViewController::class_())
                           .method<&A::pressedEmailSupport>("pressedEmailSupport")
                           .method<&A::presssedTellYourFriends>("presssedTellYourFriends")
                           .method<&A::pressedViewAppCatalog>("pressedViewAppCatalog")
                           .method<&A::pressedCloseAboutScreen>("pressedCloseAboutScreen")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = AboutScreenViewController::class_();

AboutScreenViewController::~AboutScreenViewController() = default;

namespace {

void open(NSString* address) {
    Ref<NSURL> url = NSURL::URLWithString(address);
    if (UIApplication* app = UIApplication::sharedApplication()) app->openURL(url);
}

}  // namespace

void AboutScreenViewController::pressedEmailSupport() {
    open(NSString::stringWithString(NSString::from(kSupportURL)));
}

void AboutScreenViewController::presssedTellYourFriends() {
    open(NSString::stringWithString(NSString::from(kTellAFriendURL)));
}

void AboutScreenViewController::pressedViewAppCatalog() { open(NSString::from(kAppCatalogURL)); }

void AboutScreenViewController::pressedCloseAboutScreen() { view()->removeFromSuperview(); }
