#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ColorPicker/AboutScreenViewController.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIView.h"

namespace {

class AboutScreen : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        app = UIApplication::create(nullptr, nullptr, error);
        ASSERT_NE(app, nullptr) << error;
        app->setURLOpener([this](NSURL* url) {
            opened.push_back(url->absoluteString()->str());
            return true;
        });
        about = make<AboutScreenViewController>();
        about->init();
        about->setView(UIView::withFrame(CGRectMake(0, 0, 320, 480)));
    }

    Ref<UIApplication> app;
    Ref<AboutScreenViewController> about;
    std::vector<std::string> opened;
};

TEST_F(AboutScreen, EachButtonHandsItsURLToThePlatform) {
    about->pressedEmailSupport();
    about->presssedTellYourFriends();
    about->pressedViewAppCatalog();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].rfind("mailto:", 0), 0u);
    EXPECT_NE(opened[0].find('@'), std::string::npos);
    EXPECT_EQ(opened[0].find('?'), std::string::npos);
    EXPECT_EQ(opened[2].rfind("http", 0), 0u);

    std::string decoded =
        NSString::from(opened[1])->stringByReplacingPercentEscapesUsingEncoding(NSUTF8StringEncoding)->str();
    std::string expected = "mailto:?subject=Look at this cool app!&body=Hi, I found this application and thought you "
                           "might like it ";
    ASSERT_EQ(decoded.rfind(expected, 0), 0u) << decoded;
    std::string link = decoded.substr(expected.size());
    EXPECT_EQ(link.rfind("http", 0), 0u);
    EXPECT_EQ(link.back(), ' ');
    EXPECT_EQ(link.find(' '), link.size() - 1);
}

TEST_F(AboutScreen, CloseTakesTheViewOutAndRevealsWhatLiesUnder) {
    auto under = UIView::withFrame(CGRectMake(0, 0, 320, 480));
    auto below = UIView::withFrame(CGRectMake(0, 0, 320, 480));
    under->addSubview(below);
    under->addSubview(about->view());
    about->pressedCloseAboutScreen();
    EXPECT_EQ(about->view()->superview(), nullptr);
    EXPECT_EQ(under->subviews()->count(), 1u);
    EXPECT_TRUE(about->isViewLoaded());
    EXPECT_TRUE(opened.empty());
}

}  // namespace
