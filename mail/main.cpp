// MobileMail: the stand-in Mail app that hosts injected libraries.
#include "MobileMailAppDelegate.h"
#include "Device/HostOptions.h"
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"

int main(int argc, char* argv[]) {
    HostOptions::registerOption({"--list", "messages|mailboxes", "the list shown at start (default: messages)",
                                 [](const std::string& value) {
                                     if (value == "messages") MobileMailAppDelegate::setInitialList(MobileMailAppDelegate::List::Messages);
                                     else if (value == "mailboxes") MobileMailAppDelegate::setInitialList(MobileMailAppDelegate::List::Mailboxes);
                                     else return false;
                                     return true;
                                 }});
    return UIApplicationMain(argc, argv, nullptr, "MobileMailAppDelegate"_ns);
}
