#include <gtest/gtest.h>

#include "FakeTransport.h"

namespace ostrafel {
namespace {

using testing_support::FakeClient;
using testing_support::Redirect;

std::vector<std::string> Targets(const std::vector<HttpRequest>& requests) {
    std::vector<std::string> targets;
    for (const HttpRequest& request : requests)
        targets.push_back(request.method + ' ' + ToString(request.url));
    return targets;
}

class HttpClientTest : public FakeClient, public testing::Test {
  protected:
    void Chain(int redirects) {
        for (int i = 0; i < redirects; ++i)
            fake->routes["https://h/" + std::to_string(i)] =
                Redirect(302, "/" + std::to_string(i + 1));
        fake->routes["https://h/" + std::to_string(redirects)] = {200, {}, "end"};
    }
};

TEST_F(HttpClientTest, SendsOnlyUserAgentAndCookie) {
    fake->routes["https://h/"] = {200, {{"Set-Cookie", "s=1"}}, ""};
    client.Execute("GET", "https://h/");
    client.Execute("GET", "https://h/");
    ASSERT_EQ(fake->requests.size(), 2u);
    const HttpHeaders first = {{"User-Agent", "Ostrafel URI Client/1.0"}};
    const HttpHeaders second = {{"User-Agent", "Ostrafel URI Client/1.0"}, {"Cookie", "s=1"}};
    for (std::size_t i = 0; i < 2; ++i) {
        const HttpHeaders& sent = fake->requests[i].headers;
        const HttpHeaders& expected = i == 0 ? first : second;
        ASSERT_EQ(sent.size(), expected.size());
        for (std::size_t h = 0; h < sent.size(); ++h) {
            EXPECT_EQ(sent[h].name, expected[h].name);
            EXPECT_EQ(sent[h].value, expected[h].value);
        }
    }
}

TEST_F(HttpClientTest, FollowsFiveRedirectsAndFailsOnTheSixth) {
    Chain(5);
    EXPECT_EQ(client.Execute("GET", "https://h/0").body, "end");
    EXPECT_EQ(fake->requests.size(), 6u);
    fake->requests.clear();
    fake->routes.clear();
    Chain(6);
    EXPECT_THROW(client.Execute("GET", "https://h/0"), HttpError);
    EXPECT_EQ(fake->requests.size(), 6u);
}

TEST_F(HttpClientTest, KeepsTheMethodOnEveryRedirectStatus) {
    for (const int status : {300, 301, 302, 303, 307, 308}) {
        for (const std::string_view method : {"HEAD", "GET"}) {
            fake->requests.clear();
            fake->routes["https://h/"] = Redirect(status, "/next");
            fake->routes["https://h/next"] = {200, {}, "x"};
            EXPECT_EQ(client.Execute(method, "https://h/").status, 200);
            const std::string m(method);
            EXPECT_EQ(Targets(fake->requests),
                      (std::vector<std::string>{m + " https://h/", m + " https://h/next"}))
                << status;
        }
    }
}

TEST_F(HttpClientTest, ResolvesLocationsAcrossSchemesHostsAndPorts) {
    fake->routes["https://h/a/b?q"] = Redirect(301, "c/../d#frag");
    fake->routes["https://h/a/d"] = Redirect(302, "http://other:8080/x");
    fake->routes["http://other:8080/x"] = Redirect(307, "//third/y?z");
    fake->routes["http://third/y?z"] = Redirect(308, "  https://h:444/final \r\n");
    fake->routes["https://h:444/final"] = {204, {}, ""};
    EXPECT_EQ(client.Execute("GET", "https://h/a/b?q").status, 204);
    EXPECT_EQ(Targets(fake->requests),
              (std::vector<std::string>{"GET https://h/a/b?q", "GET https://h/a/d",
                                        "GET http://other:8080/x", "GET http://third/y?z",
                                        "GET https://h:444/final"}));
    EXPECT_EQ(fake->requests.back().url.fragment, "frag");
}

TEST_F(HttpClientTest, EndsAtResponsesThatAreNotFollowed) {
    struct Case {
        HttpResponse response;
        int status;
    };
    for (const Case& c : {Case{{302, {}, "no location"}, 302}, Case{Redirect(301, ""), 301},
                          Case{Redirect(304, "/x"), 304}, Case{Redirect(401, "/login"), 401},
                          Case{{407, {{"Proxy-Authenticate", "Basic"}}, ""}, 407},
                          Case{{500, {}, "error page"}, 500}, Case{{999, {}, ""}, 999}}) {
        fake->requests.clear();
        fake->routes["https://h/"] = c.response;
        const HttpResponse response = client.Execute("GET", "https://h/");
        EXPECT_EQ(response.status, c.status);
        EXPECT_EQ(response.body, c.response.body);
        EXPECT_EQ(fake->requests.size(), 1u);
    }
}

TEST_F(HttpClientTest, FailsForUnusableUrlsAndTransportFailures) {
    fake->routes["https://h/"] = Redirect(302, "ftp://h/file");
    fake->routes["https://h/gone"] = Redirect(302, "https://nowhere/");
    for (const std::string_view url : {"https://h/", "https://h/gone", "ftp://h/", "not a url"})
        EXPECT_THROW(client.Execute("GET", url), HttpError) << url;
}

TEST_F(HttpClientTest, CarriesCookiesOfRedirectsToTheNextHopAndRequest) {
    fake->routes["https://h/"] = Redirect(302, "/in", {{"Set-Cookie", "hop=1; Path=/"}});
    fake->routes["https://h/in"] = {200, {{"Set-Cookie", "last=2; Path=/"}}, ""};
    fake->routes["https://h/news"] = {200, {}, ""};
    fake->routes["https://elsewhere/"] = {200, {}, ""};
    client.Execute("HEAD", "https://h/");
    client.Execute("GET", "https://h/news");
    client.Execute("GET", "https://elsewhere/");
    const auto cookieOf = [&](std::size_t i) {
        return FindHeader(fake->requests[i].headers, "Cookie").value_or("");
    };
    EXPECT_EQ(cookieOf(0), "");
    EXPECT_EQ(cookieOf(1), "hop=1");
    EXPECT_EQ(cookieOf(2), "hop=1; last=2");
    EXPECT_EQ(cookieOf(3), "");
}

TEST_F(HttpClientTest, KeepsCookiesOfAFailedExchange) {
    Chain(6);
    fake->routes["https://h/0"] = Redirect(302, "/1", {{"Set-Cookie", "seen=1"}});
    EXPECT_THROW(client.Execute("GET", "https://h/0"), HttpError);
    EXPECT_EQ(client.Cookies().HeaderFor(*ParseHttpUrl("https://h/"), 1'700'000'000), "seen=1");
}

} // namespace
} // namespace ostrafel
