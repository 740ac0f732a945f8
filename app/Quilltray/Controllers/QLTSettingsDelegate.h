// The protocol of a settings screen's delegate. Its class adopts it
// (objc::ClassBuilder::protocol(kName)): the screen sends the end report only
// to a delegate that conforms, and each optional operation only after
// respondsToSelector: says the delegate has it.
//
//   settingsViewControllerDidEnd:            (required) the user is done; the
//                                            store was saved
//   tableView:heightForHeaderForKey: -> float    a custom heading's height
//   tableView:viewForHeaderForKey: -> view       a section's custom heading
//   tableView:heightForSpecifier: -> float       a custom row's height
//   tableView:cellForSpecifier: -> cell          a custom row's cell
//   mailComposeBody -> text                      a mail row's body
//   viewControllerForMailComposeView -> screen   who presents the mail sheet
#pragma once

struct QLTSettingsDelegate {
    static constexpr const char* kName = "QLTSettingsDelegate";
    static constexpr const char* kDidEnd = "settingsViewControllerDidEnd:";
    static constexpr const char* kHeightForHeaderForKey = "tableView:heightForHeaderForKey:";
    static constexpr const char* kViewForHeaderForKey = "tableView:viewForHeaderForKey:";
    static constexpr const char* kHeightForSpecifier = "tableView:heightForSpecifier:";
    static constexpr const char* kCellForSpecifier = "tableView:cellForSpecifier:";
    static constexpr const char* kMailComposeBody = "mailComposeBody";
    static constexpr const char* kViewControllerForMailComposeView = "viewControllerForMailComposeView";
};
