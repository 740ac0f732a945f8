#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Device/DeviceFolder.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "Foundation/NSURLRequest.h"
#include "UIKit/HTMLDocument.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UIWebDocumentView.h"
#include "UIKit/UIWebView.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

using Kind = HTMLDocument::Block::Kind;
using Style = HTMLDocument::Style;

// Notes what a web view tells its delegate and refuses addresses on request.
class PageWatcher : public NSObject {
    KORVEL_OBJC_CLASS(PageWatcher)
public:
    bool shouldStart(UIWebView*, NSURLRequest* request, NSInteger type) {
        const std::string address = request->URL() ? request->URL()->absoluteString()->str() : "(none)";
        log.push_back("ask " + std::to_string(type) + " " + address);
        return address.find("refused") == std::string::npos;
    }
    void finished(UIWebView* web) { log.push_back("finished " + web->stringByEvaluatingJavaScriptFromString("document.title"_ns)->str()); }
    void failed(UIWebView*, id) { log.push_back("failed"); }
    std::vector<std::string> log;
};

Class PageWatcher::class_() {
    using W = PageWatcher;
    static Class cls = objc::ClassBuilder<W>("UIKitTestPageWatcher", NSObject::class_())
                           .method<&W::shouldStart>("webView:shouldStartLoadWithRequest:navigationType:")
                           .method<&W::finished>("webViewDidFinishLoad:")
                           .method<&W::failed>("webView:didFailLoadWithError:")
                           .build();
    return cls;
}

class UIWebViewTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        DeviceFolder::setRoot("");
        folder = std::filesystem::temp_directory_path() / ("korvel-web-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        web = UIView::withFrame<UIWebView>(CGRectMake(0, 0, 320, 400));
        web->setDelegate(watcher);
        window->addSubview(web);
    }
    void TearDown() override {
        web = nullptr;
        std::filesystem::remove_all(folder);
        AppFixture::TearDown();
    }
    std::string page(const std::string& name, const std::string& html) {
        std::ofstream(folder / name) << html;
        return "file://" + (folder / name).string();
    }
    void load(const std::string& address) {
        web->loadRequest(NSURLRequest::requestWithURL(NSURL::URLWithString(NSString::from(address))));
        Clock::advance(0);
    }

    std::filesystem::path folder;
    Ref<PageWatcher> watcher = make<PageWatcher>();
    Ref<UIWebView> web;
};

}  // namespace

TEST(HTMLDocument, PagesFlattenIntoStyledBlocksWhateverTheirShape) {
    struct Expected {
        Kind kind;
        std::string marker;
        std::string text;
    };
    struct Case {
        std::string html;
        std::string title;
        std::vector<Expected> blocks;
    };
    const Case cases[] = {
        {"<title> Korvel \n help </title><h1>Help</h1><p>Some  <b>bold</b>\n and a <a href='x.html'>link</a>.</p>",
         "Korvel help",
         {{Kind::Heading, "", "Help"}, {Kind::Paragraph, "", "Some bold and a link."}}},
        {"<ul><li>one</li><li><p>two</p><p>more</p></li></ul><ol><li>a<li>b</ol>",
         "",
         {{Kind::ListItem, "\u2022", "one"},
          {Kind::ListItem, "\u2022", ""},
          {Kind::ListItem, "", "two"},
          {Kind::ListItem, "", "more"},
          {Kind::ListItem, "1.", "a"},
          {Kind::ListItem, "2.", "b"}}},
        {"<style>p{}</style><script>alert(1)</script><p>shown</p><noscript>no</noscript>", "", {{Kind::Paragraph, "", "shown"}}},
        {"<pre>a\n  b</pre>line<br>break", "", {{Kind::Preformatted, "", "a\n  b"}, {Kind::Paragraph, "", "line\nbreak"}}},
        {"<p>unclosed <i>text", "", {{Kind::Paragraph, "", "unclosed text"}}},
        {std::string("\xff\xfe<p>\x80</p>"), "", {{Kind::Paragraph, "", "\ufffd\ufffd"}, {Kind::Paragraph, "", "\ufffd"}}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        HTMLDocument document = HTMLDocument::parse(c.html);
        EXPECT_EQ(document.title(), c.title);
        ASSERT_EQ(document.blocks().size(), c.blocks.size());
        for (std::size_t i = 0; i < c.blocks.size(); ++i) {
            EXPECT_EQ(document.blocks()[i].kind, c.blocks[i].kind) << i;
            EXPECT_EQ(document.blocks()[i].marker, c.blocks[i].marker) << i;
            EXPECT_EQ(document.blocks()[i].text, c.blocks[i].text) << i;
        }
    }

    // Spans cover exactly their text.
    const HTMLDocument first = HTMLDocument::parse(cases[0].html);
    const auto& spans = first.blocks()[1].spans;
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].style, Style::Bold);
    EXPECT_EQ(std::string("Some bold and a link.").substr(spans[0].start, spans[0].end - spans[0].start), "bold");
    EXPECT_EQ(spans[1].style, Style::Link);
    EXPECT_EQ(spans[1].href, "x.html");
    EXPECT_EQ(spans[1].end - spans[1].start, 4u);

    // A hostile depth of nesting is cut off where it gets too deep; what
    // comes before shows.
    std::string deep = "<p>before</p><!-- <a><a><a> --><script>'<b><b>'</script><ul><li>item<li>item";
    for (int i = 0; i < 100000; ++i) deep += "<div><b>";
    const HTMLDocument cut = HTMLDocument::parse(deep + "too deep");
    ASSERT_EQ(cut.blocks().size(), 3u);
    EXPECT_EQ(cut.blocks()[0].text, "before");
    EXPECT_EQ(cut.blocks()[2].text, "item");
}

TEST(UIWebViewLinks, LinksResolveAgainstThePageAsABrowserResolvesThem) {
    const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> bases[] = {
        {"file:///Applications/Korvel.app/help/about.html",
         {{"#top", "file:///Applications/Korvel.app/help/about.html#top"},
          {"other.html", "file:///Applications/Korvel.app/help/other.html"},
          {"../x.html?a=1", "file:///Applications/Korvel.app/x.html?a=1"},
          {"/y.html", "file:///y.html"},
          {"http://a.example/c", "http://a.example/c"},
          {"mailto:a@b.example", "mailto:a@b.example"}}},
        {"http://www.brisval.com/korvel/index.html?x=1#f",
         {{"help.html", "http://www.brisval.com/korvel/help.html"},
          {"//cdn.example/x", "http://cdn.example/x"},
          {"?q", "http://www.brisval.com/korvel/index.html?q"},
          {"", "http://www.brisval.com/korvel/index.html?x=1"},
          {"bad link", nullptr}}},
    };
    for (const auto& [base, links] : bases) {
        Ref<NSURL> baseURL = NSURL::URLWithString(NSString::from(base));
        for (const auto& [href, expected] : links) {
            Ref<NSURL> resolved = UIWebView::resolve(href, baseURL);
            if (!expected) {
                EXPECT_FALSE(resolved) << href;
                continue;
            }
            ASSERT_TRUE(resolved) << href;
            EXPECT_EQ(resolved->absoluteString()->str(), expected) << base << " + " << href;
        }
    }
}

TEST_F(UIWebViewTest, RequestsAreOfferedToTheDelegateAndLoadFilesOnly) {
    const std::string first = page("first.html", "<title>First</title><p><a href='second.html'>Next page</a></p>");
    page("second.html", "<title>Second</title><p>Done</p>");

    load(first);
    EXPECT_FALSE(web->isLoading());
    EXPECT_EQ(watcher->log, (std::vector<std::string>{"ask 5 " + first, "finished First"}));
    EXPECT_EQ(web->documentView()->text()->str(), "Next page");
    EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("  document.title ; "_ns)->str(), "First");
    EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.cookie"_ns)->str(), "");

    // A tap on the link goes through the delegate as a clicked link.
    watcher->log.clear();
    tap(20, UIWebDocumentView::kMargin + 8);
    Clock::advance(0);
    const std::string second = "file://" + (folder / "second.html").string();
    EXPECT_EQ(watcher->log, (std::vector<std::string>{"ask 0 " + second, "finished Second"}));

    // A refused request leaves the page as it is; a page that cannot be had
    // fails and shows nothing.
    watcher->log.clear();
    load("file:///refused.html");
    EXPECT_EQ(web->request()->URL()->absoluteString()->str(), second);
    load("http://www.brisval.com/");
    load("file:///no/such/page.html");
    EXPECT_EQ(watcher->log, (std::vector<std::string>{"ask 5 file:///refused.html", "ask 5 http://www.brisval.com/",
                                                      "failed", "ask 5 file:///no/such/page.html", "failed"}));
    EXPECT_EQ(web->documentView()->text()->str(), "");
    EXPECT_EQ(web->stringByEvaluatingJavaScriptFromString("document.title"_ns)->str(), "");
}

TEST_F(UIWebViewTest, ALongPageScrollsAndANewerRequestWins) {
    std::string html = "<title>Long</title>";
    for (int i = 0; i < 60; ++i) html += "<p>Paragraph " + std::to_string(i) + "</p>";
    const std::string long_ = page("long.html", html);
    const std::string short_ = page("short.html", "<title>Short</title>");
    web->loadRequest(NSURLRequest::requestWithURL(NSURL::URLWithString(NSString::from(long_))));
    load(short_);
    // Only the newer one finished.
    EXPECT_EQ(watcher->log.back(), "finished Short");
    EXPECT_EQ(std::count(watcher->log.begin(), watcher->log.end(), "finished Long"), 0);
    load(long_);
    EXPECT_GT(web->scrollView()->contentSize().height, 400);
    EXPECT_FLOAT_EQ(web->scrollView()->contentSize().width, 320);
}
