// The modal screen that edits one address's colour: it opens the picker on
// the stored colour and saves the pick as the address's colour record in the
// label preferences. The status bar is hidden while it is up.
#pragma once

#include "ColorPicker/AboutScreenViewController.h"
#include "Foundation/NSIndexPath.h"
#include "UIKit/UIViewController.h"

class ColorPickerView;
class NSString;
class UIColor;

class ColorPickerViewController : public UIViewController {
    KORVEL_OBJC_CLASS(ColorPickerViewController)
public:
    ~ColorPickerViewController() override;

    // Loads the stored colour into the picker.
    void viewDidLoad() override;
    // Shows the status bar again.
    void viewWillDisappear(bool animated) override;

    Ref<UIColor> getSelectedColor();
    // Save: the colour record under `email`, written to disk at once; then
    // the account list is reloaded and the screen closes.
    void pressedAboutButton();
    // Cancel: closes without writing.
    void pressedCButton();

    ColorPickerView* pickerView();

    AboutScreenViewController* aboutScreenViewController() const { return aboutScreenViewController_; }
    void setAboutScreenViewController(AboutScreenViewController* controller);
    NSString* email() const { return email_; }
    void setEmail(NSString* email);
    NSIndexPath* anIndex() const { return anIndex_; }
    void setAnIndex(NSIndexPath* indexPath);

private:
    void reloadAccountList();

    Ref<AboutScreenViewController> aboutScreenViewController_;
    Ref<NSString> email_;
    Ref<NSIndexPath> anIndex_;
};
