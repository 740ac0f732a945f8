#include <gtest/gtest.h>

#include <filesystem>

#include "Device/DeviceFolder.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "Foundation/NSURL.h"

namespace {

std::string text(const Ref<NSString>& s) { return s ? s->str() : "(nil)"; }

Ref<NSURL> url(const char* s) { return NSURL::URLWithString(NSString::from(s)); }

}  // namespace

TEST(NSURL, HierarchicalURLParts) {
    auto u = url("http://user:pw@Example.com:8080/a/b%20c/?q=1#top");
    ASSERT_TRUE(u);
    EXPECT_EQ(text(u->scheme()), "http");
    EXPECT_EQ(text(u->host()), "Example.com");
    EXPECT_EQ(text(u->path()), "/a/b c");
    EXPECT_EQ(text(u->resourceSpecifier()), "//user:pw@Example.com:8080/a/b%20c/?q=1#top");
    EXPECT_EQ(text(u->absoluteString()), "http://user:pw@Example.com:8080/a/b%20c/?q=1#top");
    EXPECT_FALSE(u->isFileURL());

    EXPECT_EQ(text(url("https://[::1]:443")->host()), "::1");
    EXPECT_EQ(text(url("https://example.com")->path()), "");
    EXPECT_EQ(text(url("https://example.com/")->path()), "/");
}

TEST(NSURL, MailAddressesHaveASchemeButNoHostOrPath) {
    auto u = url("mailto:support@example.com?subject=Korvel");
    ASSERT_TRUE(u);
    EXPECT_EQ(text(u->scheme()), "mailto");
    EXPECT_EQ(text(u->resourceSpecifier()), "support@example.com?subject=Korvel");
    EXPECT_EQ(u->host(), nullptr);
    EXPECT_EQ(u->path(), nullptr);
}

TEST(NSURL, AResourceNameHasNoScheme) {
    auto u = url("license.html");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->scheme(), nullptr);
    EXPECT_EQ(text(u->path()), "license.html");
    EXPECT_EQ(text(u->resourceSpecifier()), "license.html");
    // A colon after something that cannot be a scheme does not make one.
    EXPECT_EQ(url("1http:x")->scheme(), nullptr);
}

TEST(NSURL, MalformedTextGivesNil) {
    for (const char* bad : {"", "http://a b", "http://x/%zz", "http://x/100%", "a#b#c", "http://x/\"q\"",
                            "http://x/<p>", "http://x/{}", "http://x/a|b", "http://x/\xC3\xA9", "http://x/\t"})
        EXPECT_EQ(url(bad), nullptr) << bad;
    EXPECT_EQ(NSURL::URLWithString(nullptr), nullptr);
}

TEST(NSURL, FileURLsEscapeThePathAndMarkDirectories) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("korvel-url-" + std::to_string(::getpid()));
    ASSERT_TRUE(DeviceFolder::setRoot(dir.string()));
    fs::create_directories(dir / "Applications/Korvel.app/Some Dir");

    auto file = NSURL::fileURLWithPath("/Applications/Korvel.app/about me.html"_ns);
    EXPECT_EQ(text(file->absoluteString()), "file:///Applications/Korvel.app/about%20me.html");
    EXPECT_EQ(text(file->path()), "/Applications/Korvel.app/about me.html");
    EXPECT_EQ(file->host(), nullptr);
    EXPECT_TRUE(file->isFileURL());

    auto folder = NSURL::fileURLWithPath("/Applications/Korvel.app/Some Dir"_ns);
    EXPECT_EQ(text(folder->absoluteString()), "file:///Applications/Korvel.app/Some%20Dir/");
    EXPECT_EQ(text(folder->path()), "/Applications/Korvel.app/Some Dir");

    EXPECT_EQ(text(NSURL::fileURLWithPath("relative.txt"_ns)->absoluteString()), "file:///relative.txt");
    EXPECT_EQ(NSURL::fileURLWithPath(nullptr), nullptr);
    EXPECT_EQ(NSURL::fileURLWithPath(""_ns), nullptr);

    DeviceFolder::setRoot("");
    fs::remove_all(dir);
}

TEST(NSURL, EqualityAndRuntime) {
    EXPECT_TRUE(url("http://a/b")->isEqual(url("http://a/b")));
    EXPECT_FALSE(url("http://a/b")->isEqual(url("http://a/c")));
    EXPECT_EQ(url("http://a/b")->hash(), url("http://a/b")->hash());
    id u = objc::send<id, id>(objc_getClass("NSURL"), "URLWithString:", "https://x.org/p"_ns.get());
    auto* scheme = objc::cast<NSString>(objc::send<id>(u, "scheme"));
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->str(), "https");
    EXPECT_EQ((objc::send<id, id>(objc_getClass("NSURL"), "URLWithString:", "a b"_ns.get())), nullptr);
}
