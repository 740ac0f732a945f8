#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "MessageUI/MFMailComposeViewController.h"
#include "Quilltray/Controllers/QLTAppSettingsWebViewController.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIWebDocumentView.h"
#include "UIKit/UIWebView.h"
#include "UIKit/ViewControllerDump.h"
#include "app/Classes/SwipeTableFixture.h"

namespace {

class WebScreen : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        device.emplace();
        app->setURLOpener([this](NSURL* url) {
            opened.push_back(url->absoluteString()->str());
            return true;
        });
        page("a.html", "<title>Page A</title><p><a href='b.html'>to B</a></p>");
        page("b.html", "<title>Page B</title><p>B</p>");
    }
    void TearDown() override {
        navigation = nullptr;
        AppFixture::TearDown();
        device.reset();
    }
    void page(const std::string& name, const std::string& html) {
        std::filesystem::create_directories(device->root() / "pages");
        std::ofstream(device->root() / "pages" / name) << html;
    }
    static Ref<QLTAppSettingsWebViewController> screenFor(const char* file) {
        auto screen = make<QLTAppSettingsWebViewController>();
        return Ref<QLTAppSettingsWebViewController>(screen->initWithFile(file ? NSString::from(file).get() : nullptr,
                                                                         "key"_ns));
    }
    // Shows the screen on a navigation stack in the window and lets the page load.
    QLTAppSettingsWebViewController* show(const char* file) {
        Ref<QLTAppSettingsWebViewController> screen = screenFor(file);
        navigation = UINavigationController::withRootViewController(screen);
        window->addSubview(navigation->view());
        navigation->sendAppearance("viewWillAppear:", false);
        Clock::advance(0);
        return screen;
    }
    // Offers a link to the screen as the web view would.
    static bool follow(QLTAppSettingsWebViewController* screen, const std::string& address) {
        return screen->shouldStartLoadWithRequest(
            screen->webView(), NSURLRequest::requestWithURL(NSURL::URLWithString(NSString::from(address))),
            UIWebViewNavigationTypeLinkClicked);
    }

    std::optional<BundleDevice> device;
    Ref<UINavigationController> navigation;
    std::vector<std::string> opened;
};

}  // namespace

TEST_F(WebScreen, ThePageComesFromAnAddressOrAResourceFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"file:///pages/a.html", "file:///pages/a.html"},
        {"http://www.brisval.com/korvel/", "http://www.brisval.com/korvel/"},
        // A resource's address is the bundle's as the phone names it.
        {"KorvelHelp.html", "file:///Applications/Korvel.app/KorvelHelp.html"},
        {"Missing.html", ""},
        {"not an address", ""},
        {nullptr, ""},
    };
    for (const auto& [file, expected] : cases) {
        Ref<QLTAppSettingsWebViewController> screen = screenFor(file);
        ASSERT_TRUE(screen);
        NSURL* url = screen->url();
        EXPECT_EQ(url ? url->absoluteString()->str() : "", expected) << (file ? file : "nil");
    }
}

TEST_F(WebScreen, TheTitleFollowsEachPageAndThePageReloadsOnEveryAppearance) {
    QLTAppSettingsWebViewController* screen = show("file:///pages/a.html");
    EXPECT_EQ(screen->navigationItem()->title()->str(), "Page A");
    // A link on the page loads in place and retitles the screen.
    screen->webView()->followLink("b.html");
    Clock::advance(0);
    EXPECT_EQ(screen->navigationItem()->title()->str(), "Page B");
    EXPECT_EQ(screen->webView()->documentView()->text()->str(), "B");
    // Shown again, it starts over from its own page, read afresh.
    page("a.html", "<title>Page A, changed</title>");
    navigation->sendAppearance("viewWillAppear:", false);
    Clock::advance(0);
    EXPECT_EQ(screen->navigationItem()->title()->str(), "Page A, changed");
    // The shipped help page has its own title.
    EXPECT_EQ(show("KorvelHelp.html")->navigationItem()->title()->str(), "Korvel Help");
}

TEST_F(WebScreen, LinksOnThePagesHostLoadAndOthersGoToTheSystem) {
    struct Case {
        const char* link;
        bool loads;
    };
    const std::pair<const char*, std::vector<Case>> pages[] = {
        {"http://www.brisval.com/korvel/",
         {{"http://www.brisval.com/apps/", true},
          {"http://brisval.com/", false},
          {"https://elsewhere.example/x", false},
          {"file:///pages/b.html", true},
          {"#top", true}}},
        {"file:///pages/a.html", {{"file:///pages/b.html", true}, {"http://www.brisval.com/", false}}},
    };
    for (const auto& [address, links] : pages) {
        Ref<QLTAppSettingsWebViewController> screen = screenFor(address);
        for (const Case& c : links) {
            opened.clear();
            EXPECT_EQ(follow(screen, c.link), c.loads) << address << " -> " << c.link;
            EXPECT_EQ(opened, c.loads ? std::vector<std::string>{} : std::vector<std::string>{c.link});
        }
    }
}

TEST_F(WebScreen, MailLinksOpenAFilledSheet) {
    struct Case {
        const char* link;
        std::vector<std::string> to, cc, bcc;
        const char* subject;
        const char* body;
    };
    const Case cases[] = {
        {"mailto:support@brisval.com?subject=Korvel%20question&cc=a@x.example,b@x.example",
         {"support@brisval.com"}, {"a@x.example", "b@x.example"}, {}, "Korvel question", nullptr},
        {"mailto:?To=x@y.example&to=z@y.example,w@y.example&SUBJECT=Caps%20Kept&bcc=q@y.example",
         {"x@y.example", "z@y.example", "w@y.example"}, {}, {"q@y.example"}, "Caps Kept", nullptr},
        {"mailto:%61@b.example?subject&body=a=b&body=%E2%82%AC%201&subject=first&subject=second",
         {"%61@b.example"}, {}, {}, "second", "\u20ac 1"},
        {"mailto:a@b.example?subject=%ff", {"a@b.example"}, {}, {}, nullptr, nullptr},
    };
    const auto list = [](NSArray* addresses) {
        std::vector<std::string> out;
        for (NSUInteger i = 0; addresses && i < addresses->count(); ++i)
            out.push_back(objc::cast<NSString>(addresses->objectAtIndex(i))->str());
        return out;
    };
    QLTAppSettingsWebViewController* screen = show("file:///pages/a.html");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        EXPECT_FALSE(follow(screen, c.link));
        auto* sheet = objc::cast<MFMailComposeViewController>(navigation->modalViewController());
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->mailComposeDelegate(), screen);
        EXPECT_EQ(list(sheet->toRecipients()), c.to);
        EXPECT_EQ(list(sheet->ccRecipients()), c.cc);
        EXPECT_EQ(list(sheet->bccRecipients()), c.bcc);
        EXPECT_EQ(sheet->subject() ? sheet->subject()->str() : "(nil)", c.subject ? c.subject : "(nil)");
        EXPECT_EQ(sheet->messageBody() ? sheet->messageBody()->str() : "(nil)", c.body ? c.body : "(nil)");
        EXPECT_FALSE(sheet->isHTML());
        // Cancel hands the sheet back to this screen, which closes it.
        sheet->cancel(nullptr);
        Clock::advance(1);
        EXPECT_EQ(navigation->modalViewController(), nullptr);
    }
    // A link with a second "?" is swallowed: no sheet, no load, nothing opened.
    EXPECT_FALSE(follow(screen, "mailto:a@b.example?subject=x?y"));
    EXPECT_EQ(navigation->modalViewController(), nullptr);
    EXPECT_TRUE(opened.empty());
}
