#include <gtest/gtest.h>

#include "CookieStore.h"

namespace ostrafel {
namespace {

constexpr UnixSeconds kNow = 1'700'000'000; // 2023-11-14 22:13:20 UTC

Url At(std::string_view text) {
    return *ParseHttpUrl(text);
}

TEST(ParseCookieDateTest, ReadsRfc6265Dates) {
    struct Case {
        std::string_view text;
        std::optional<UnixSeconds> expected;
    };
    for (const Case& c : {
             Case{"Wed, 21 Oct 2015 07:28:00 GMT", 1445412480},
             Case{"Thu, 01 Jan 1970 00:00:00 GMT", 0},
             Case{"Sunday, 06-Nov-94 08:49:37 GMT", 784111777}, // two-digit year 94 -> 1994
             Case{"Sun Nov  6 08:49:37 1994", 784111777},
             Case{"6 nOvEmBeR 1994 8:49:37", 784111777},
             Case{"Tue, 01 Jan 30 00:00:00 GMT", 1893456000}, // 30 -> 2030
             Case{"29 Feb 2024 12:00:00", 1709208000},
             Case{"31 Dec 9999 23:59:59", 253402300799},
             Case{"29 Feb 2023 12:00:00", std::nullopt},
             Case{"31 Apr 2024 12:00:00", std::nullopt},
             Case{"1 Jan 1600 00:00:00", std::nullopt},
             Case{"1 Jan 2024 24:00:00", std::nullopt},
             Case{"1 Jan 2024 12:60:00", std::nullopt},
             Case{"1 Jan 2024", std::nullopt},
             Case{"Jan 2024 12:00:00", std::nullopt},
             Case{"0 Jan 2024 12:00:00", std::nullopt},
             Case{"123 Jan 2024 12:00:00", std::nullopt},
             Case{"", std::nullopt},
         })
        EXPECT_EQ(ParseCookieDate(c.text), c.expected) << c.text;
}

TEST(ParseSetCookieTest, ReadsNameValueAndAttributes) {
    const std::optional<Cookie> cookie =
        ParseSetCookie(" sid = a b ; Path=/app; Domain=.Example.com; Secure; HttpOnly; Max-Age=60",
                       At("https://www.example.com/app/page"), kNow);
    ASSERT_TRUE(cookie);
    EXPECT_EQ(cookie->name, "sid");
    EXPECT_EQ(cookie->value, "a b");
    EXPECT_EQ(cookie->path, "/app");
    EXPECT_EQ(cookie->domain, "example.com");
    EXPECT_FALSE(cookie->hostOnly);
    EXPECT_TRUE(cookie->secure);
    EXPECT_EQ(cookie->expiry, kNow + 60);
}

TEST(ParseSetCookieTest, DefaultsFollowTheRequest) {
    struct Case {
        std::string_view url;
        std::string_view path;
    };
    for (const Case& c : {Case{"http://h/", "/"}, Case{"http://h/a", "/"},
                          Case{"http://h/a/b", "/a"}, Case{"http://h/a/b/?q=/x", "/a/b"}}) {
        const std::optional<Cookie> cookie = ParseSetCookie("a=1; Path=rel", At(c.url), kNow);
        ASSERT_TRUE(cookie);
        EXPECT_EQ(cookie->path, c.path) << c.url;
        EXPECT_TRUE(cookie->hostOnly);
        EXPECT_EQ(cookie->domain, "h");
        EXPECT_FALSE(cookie->expiry);
    }
}

TEST(ParseSetCookieTest, MaxAgeWinsOverExpires) {
    const Url url = At("http://h/");
    EXPECT_EQ(
        ParseSetCookie("a=1; Max-Age=10; Expires=Wed, 21 Oct 2015 07:28:00 GMT", url, kNow)->expiry,
        kNow + 10);
    EXPECT_EQ(ParseSetCookie("a=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT", url, kNow)->expiry,
              1445412480);
    EXPECT_EQ(ParseSetCookie("a=1; Max-Age=x1; Expires=bad", url, kNow)->expiry, std::nullopt);
    EXPECT_LE(*ParseSetCookie("a=1; Max-Age=0", url, kNow)->expiry, kNow);
    EXPECT_LE(*ParseSetCookie("a=1; Max-Age=-5", url, kNow)->expiry, kNow);
    EXPECT_GT(*ParseSetCookie("a=1; Max-Age=99999999999999999999999", url, kNow)->expiry, kNow);
}

TEST(ParseSetCookieTest, IgnoresCookiesThatMayNotBeSet) {
    const Url url = At("http://www.example.com/");
    for (const std::string_view header :
         {"novalue", "=v", " =v", "a=1; Domain=other.com", "a=1; Domain=com",
          "a=1; Domain=ample.com", "a=1; Domain=sub.www.example.com", "a=1\r\nX: y", "a=\x01"})
        EXPECT_FALSE(ParseSetCookie(header, url, kNow)) << header;
    EXPECT_FALSE(ParseSetCookie("a=" + std::string(5000, 'x'), url, kNow));
    EXPECT_FALSE(ParseSetCookie("a=1; Domain=0.1", At("http://10.0.0.1/"), kNow));
}

TEST(ParseSetCookieTest, DomainEqualToTheHostIsHostOnly) {
    const std::optional<Cookie> single =
        ParseSetCookie("a=1; Domain=localhost", At("http://localhost/"), kNow);
    ASSERT_TRUE(single);
    EXPECT_TRUE(single->hostOnly);
    const std::optional<Cookie> ip =
        ParseSetCookie("a=1; Domain=127.0.0.1", At("http://127.0.0.1/"), kNow);
    ASSERT_TRUE(ip);
    EXPECT_TRUE(ip->hostOnly);
}

class CookieStoreTest : public testing::Test {
  protected:
    void Set(std::string_view url, std::string value, UnixSeconds now = kNow) {
        FStore.Store({{"Set-Cookie", std::move(value)}}, At(url), now);
    }
    std::string Sent(std::string_view url, UnixSeconds now = kNow) const {
        return FStore.HeaderFor(At(url), now);
    }
    CookieStore FStore;
};

TEST_F(CookieStoreTest, SendsCookiesByDomainPathSecureAndExpiry) {
    Set("https://www.example.com/app/x", "host=1");
    Set("https://www.example.com/", "dom=2; Domain=example.com");
    Set("https://www.example.com/", "sec=3; Secure");
    Set("https://www.example.com/", "app=4; Path=/app");
    Set("https://www.example.com/", "short=5; Max-Age=10");
    struct Case {
        std::string_view url;
        UnixSeconds now;
        std::string_view header;
    };
    for (const Case& c : {
             Case{"https://www.example.com/app/x", kNow, "host=1; app=4; dom=2; sec=3; short=5"},
             Case{"https://www.example.com/app", kNow, "host=1; app=4; dom=2; sec=3; short=5"},
             Case{"https://www.example.com/apple", kNow, "dom=2; sec=3; short=5"},
             Case{"http://www.example.com/", kNow, "dom=2; short=5"},
             Case{"http://www.example.com:8080/", kNow, "dom=2; short=5"}, // ports do not matter
             Case{"https://example.com/", kNow, "dom=2"},
             Case{"https://a.b.example.com/", kNow, "dom=2"},
             Case{"https://badexample.com/", kNow, ""},
             Case{"https://www.example.com/", kNow + 10, "dom=2; sec=3"},
         })
        EXPECT_EQ(Sent(c.url, c.now), c.header) << c.url;
}

TEST_F(CookieStoreTest, ReplacesAndDeletesCookiesOfTheSameNameDomainAndPath) {
    Set("http://h/", "a=1");
    Set("http://h/", "b=2");
    Set("http://h/", "a=3");
    EXPECT_EQ(Sent("http://h/"), "a=3; b=2"); // the replacement keeps its creation time
    Set("http://h/", "a=4; Path=/x");
    EXPECT_EQ(Sent("http://h/x"), "a=4; a=3; b=2");
    Set("http://h/", "a=; Max-Age=0");
    EXPECT_EQ(Sent("http://h/x"), "a=4; b=2");
    Set("http://h/", "b=gone; Expires=Thu, 01 Jan 1970 00:00:00 GMT");
    EXPECT_EQ(Sent("http://h/"), "");
}

TEST_F(CookieStoreTest, StoresEverySetCookieHeaderAndNothingElse) {
    FStore.Store({{"set-cookie", "a=1"}, {"Set-Cookie2", "b=2"}, {"SET-COOKIE", "c=3"}},
                 At("http://h/"), kNow);
    EXPECT_EQ(Sent("http://h/"), "a=1; c=3");
}

TEST_F(CookieStoreTest, StaysBoundedAndEvictsTheOldest) {
    for (std::size_t i = 0; i < 3 * CookieStore::kMaxCookies; ++i)
        Set("http://h/", "c" + std::to_string(i) + "=v", kNow + static_cast<UnixSeconds>(i));
    EXPECT_EQ(FStore.Size(), CookieStore::kMaxCookies);
    const std::string header = Sent("http://h/", kNow + 1000);
    EXPECT_EQ(header.find("c0="), std::string::npos);
    EXPECT_NE(header.find("c449="), std::string::npos);
}

} // namespace
} // namespace ostrafel
