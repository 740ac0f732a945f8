// A small information screen: mail the maker's support, recommend the app by
// mail, open the maker's catalogue of apps, and close. It is shown by adding
// its view to another view, so closing only takes the view out again.
#pragma once

#include "UIKit/UIViewController.h"

class AboutScreenViewController : public UIViewController {
    KORVEL_OBJC_CLASS(AboutScreenViewController)
public:
    static const char* const kSupportURL;
    static const char* const kTellAFriendURL;
    static const char* const kAppCatalogURL;

    ~AboutScreenViewController() override;


    void pressedEmailSupport();
    void presssedTellYourFriends();
    void pressedViewAppCatalog();
    void pressedCloseAboutScreen();
};
