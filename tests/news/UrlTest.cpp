#include <gtest/gtest.h>

#include "Url.h"

namespace ostrafel {
namespace {

struct ResolveCase {
    std::string_view reference;
    std::string_view expected;
};

class ResolveReferenceTest : public testing::TestWithParam<ResolveCase> {};

// The examples of RFC 3986 section 5.4, normal and abnormal.
TEST_P(ResolveReferenceTest, FollowsRfc3986Examples) {
    EXPECT_EQ(ResolveReference("http://a/b/c/d;p?q", GetParam().reference), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc3986, ResolveReferenceTest,
    testing::Values(
        ResolveCase{"g:h", "g:h"}, ResolveCase{"g", "http://a/b/c/g"},
        ResolveCase{"./g", "http://a/b/c/g"}, ResolveCase{"g/", "http://a/b/c/g/"},
        ResolveCase{"/g", "http://a/g"}, ResolveCase{"//g", "http://g"},
        ResolveCase{"?y", "http://a/b/c/d;p?y"}, ResolveCase{"g?y", "http://a/b/c/g?y"},
        ResolveCase{"#s", "http://a/b/c/d;p?q#s"}, ResolveCase{"g#s", "http://a/b/c/g#s"},
        ResolveCase{"g?y#s", "http://a/b/c/g?y#s"}, ResolveCase{";x", "http://a/b/c/;x"},
        ResolveCase{"g;x", "http://a/b/c/g;x"}, ResolveCase{"g;x?y#s", "http://a/b/c/g;x?y#s"},
        ResolveCase{"", "http://a/b/c/d;p?q"}, ResolveCase{".", "http://a/b/c/"},
        ResolveCase{"./", "http://a/b/c/"}, ResolveCase{"..", "http://a/b/"},
        ResolveCase{"../", "http://a/b/"}, ResolveCase{"../g", "http://a/b/g"},
        ResolveCase{"../..", "http://a/"}, ResolveCase{"../../", "http://a/"},
        ResolveCase{"../../g", "http://a/g"}, ResolveCase{"../../../g", "http://a/g"},
        ResolveCase{"../../../../g", "http://a/g"}, ResolveCase{"/./g", "http://a/g"},
        ResolveCase{"/../g", "http://a/g"}, ResolveCase{"g.", "http://a/b/c/g."},
        ResolveCase{".g", "http://a/b/c/.g"}, ResolveCase{"g..", "http://a/b/c/g.."},
        ResolveCase{"..g", "http://a/b/c/..g"}, ResolveCase{"./../g", "http://a/b/g"},
        ResolveCase{"./g/.", "http://a/b/c/g/"}, ResolveCase{"g/./h", "http://a/b/c/g/h"},
        ResolveCase{"g/../h", "http://a/b/c/h"}, ResolveCase{"g;x=1/./y", "http://a/b/c/g;x=1/y"},
        ResolveCase{"g;x=1/../y", "http://a/b/c/y"}, ResolveCase{"g?y/./x", "http://a/b/c/g?y/./x"},
        ResolveCase{"g?y/../x", "http://a/b/c/g?y/../x"},
        ResolveCase{"g#s/./x", "http://a/b/c/g#s/./x"},
        ResolveCase{"g#s/../x", "http://a/b/c/g#s/../x"}, ResolveCase{"http:g", "http:g"},
        ResolveCase{" /g\r\n", "http://a/g"}));

TEST(ParseHttpUrlTest, TakesUrlsApart) {
    const std::optional<Url> url =
        ParseHttpUrl("HTTPS://user:pw@News.Example.COM:8443/a b?x=\"1\"#frag");
    ASSERT_TRUE(url);
    EXPECT_TRUE(url->secure);
    EXPECT_EQ(url->host, "news.example.com");
    EXPECT_EQ(url->port, 8443);
    EXPECT_EQ(RequestTarget(*url), "/a%20b?x=%221%22");
    EXPECT_EQ(url->fragment, "frag");
    EXPECT_EQ(ToString(*url), "https://news.example.com:8443/a%20b?x=%221%22");
}

TEST(ParseHttpUrlTest, FillsDefaults) {
    struct Case {
        std::string_view text;
        std::uint16_t port;
        std::string_view target;
    };
    for (const Case& c :
         {Case{"https://h", 443, "/"}, Case{"http://h", 80, "/"}, Case{"http://h:", 80, "/"},
          Case{"https://h?q", 443, "/?q"}, Case{"https://h/p?", 443, "/p?"},
          Case{"http://[::1]:81/x", 81, "/x"}, Case{"http://h/\xD8\xB3", 80, "/%D8%B3"}}) {
        const std::optional<Url> url = ParseHttpUrl(c.text);
        ASSERT_TRUE(url) << c.text;
        EXPECT_EQ(url->port, c.port) << c.text;
        EXPECT_EQ(RequestTarget(*url), c.target) << c.text;
    }
}

TEST(ParseHttpUrlTest, RefusesWhatCannotBeRequested) {
    for (const std::string_view text :
         {"", "/relative", "//host/x", "ftp://h/", "mailto:a@b", "https://", "https://:443/",
          "https://h:0/", "https://h:65536/", "https://h:12a/", "https://[::1/", "https://h h/",
          "https://h\r\nX: y/", "http:g"})
        EXPECT_FALSE(ParseHttpUrl(text)) << text;
}

TEST(ResolveRedirectTest, KeepsTheFragmentWhenTheLocationHasNone) {
    const Url current = *ParseHttpUrl("https://a.example/x/y#top");
    struct Case {
        std::string_view location;
        std::string_view url;
        std::optional<std::string> fragment;
    };
    for (const Case& c :
         {Case{"z", "https://a.example/x/z", "top"}, Case{"/z#end", "https://a.example/z", "end"},
          Case{"http://b.example:8080/", "http://b.example:8080/", "top"},
          Case{"//c.example/q?1", "https://c.example/q?1", "top"}}) {
        const std::optional<Url> next = ResolveRedirect(current, c.location);
        ASSERT_TRUE(next) << c.location;
        EXPECT_EQ(ToString(*next), c.url);
        EXPECT_EQ(next->fragment, c.fragment);
    }
    EXPECT_FALSE(ResolveRedirect(current, "ftp://a.example/"));
    EXPECT_FALSE(ResolveRedirect(current, "https:///nohost"));
}

} // namespace
} // namespace ostrafel
