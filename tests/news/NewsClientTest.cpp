// The client over WinHTTP against the scripted local server: what goes over the wire,
// redirects, cookies, body decoding, certificates and hostile servers.
#include <gtest/gtest.h>

#include "NewsLoader.h"
#include "TestServer.h"
#include "TrustedAuthority.h"
#include "WinHttpTransport.h"

namespace ostrafel {
namespace {

using testing_support::Hex;
using testing_support::LoggedRequest;
using testing_support::TestServer;
using testing_support::TrustedAuthority;
using testing_support::UrlEncode;

const std::string kNewsTarget = "/APP/api/app-widget-box.php?app=mivr482";

std::vector<std::string> HeaderValues(const LoggedRequest& request, std::string_view name) {
    std::vector<std::string> values;
    for (const HttpHeader& header : request.headers)
        if (EqualsIgnoringCase(header.name, name))
            values.push_back(header.value);
    return values;
}

std::vector<std::string> Lines(const std::vector<LoggedRequest>& requests) {
    std::vector<std::string> lines;
    for (const LoggedRequest& request : requests)
        lines.push_back(request.method + ' ' + request.target);
    return lines;
}

class NewsClientTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        FServer = new TestServer();
        FAuthority = new TrustedAuthority(FServer->AuthorityCertificate());
    }
    static void TearDownTestSuite() {
        delete FAuthority;
        delete FServer;
    }
    void SetUp() override {
        FServer->ScriptRoot("status/200");
        FServer->ScriptNews("body");
        FMark = FServer->LogMark();
    }

    std::vector<LoggedRequest> Requests() const { return FServer->RequestsSince(FMark); }
    std::string Http() const { return FServer->Origin("http"); }

    static inline TestServer* FServer = nullptr;
    static inline TrustedAuthority* FAuthority = nullptr;
    std::size_t FMark = 0;
    THTTPClient FClient = MakeWinHttpClient();
};

// Short limits, for the tests with servers that do not answer in time.
const HttpLimits kShortLimits{2000, 2000, 2000, 2000};

TEST_F(NewsClientTest, ProbeSendsHeadWithTheUserAgentOnly) {
    ASSERT_TRUE(HasInternet(FClient, Http()));
    const std::vector<LoggedRequest> requests = Requests();
    ASSERT_EQ(Lines(requests), std::vector<std::string>{"HEAD /"});
    EXPECT_EQ(HeaderValues(requests[0], "User-Agent"),
              std::vector<std::string>{"Ostrafel URI Client/1.0"});
    for (const char* absent : {"Accept", "Accept-Encoding", "Accept-Language", "Accept-Charset",
                               "Content-Type", "Cookie", "Referer"})
        EXPECT_TRUE(HeaderValues(requests[0], absent).empty()) << absent;
    EXPECT_EQ(HeaderValues(requests[0], "Host"),
              std::vector<std::string>{"127.0.0.1:" + std::to_string(FServer->Port("http"))});
}

// The HTTP library is loaded from the system folder at the first request. Where it
// is missing, or lacks a function the client calls, every exchange fails like a
// network failure, before anything is sent.
struct UnusableLibraryCase {
    const wchar_t* library;
    const char* failure;
};

TEST_F(NewsClientTest, WithoutAUsableHttpLibraryEveryExchangeFails) {
    const UnusableLibraryCase cases[] = {
        {L"ostrafel-no-such-library.dll", "ostrafel-no-such-library.dll cannot be loaded"},
        // A system library, but not the HTTP library: the first entry point is missing.
        {L"version.dll", "WinHttpOpen is missing"},
    };
    for (const UnusableLibraryCase& c : cases) {
        SCOPED_TRACE(c.failure);
        THTTPClient client = MakeWinHttpClient({}, c.library);
        EXPECT_FALSE(HasInternet(client, Http()));
        EXPECT_EQ(FetchNewsText(client, Http()), std::nullopt);
        try {
            client.Execute("GET", Http() + kNewsTarget);
            ADD_FAILURE() << "the exchange did not fail";
        } catch (const HttpError& failure) {
            EXPECT_NE(std::string(failure.what()).find(c.failure), std::string::npos)
                << failure.what();
        }
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(NewsClientTest, ProbeSucceedsOnAnyStatus) {
    for (const char* status : {"200", "204", "401", "403", "404", "407", "500", "503"}) {
        FServer->ScriptRoot(std::string("status/") + status);
        EXPECT_TRUE(HasInternet(FClient, Http())) << status;
    }
}

TEST_F(NewsClientTest, FollowsFiveRedirectsAndFailsOnTheSixth) {
    FServer->ScriptRoot("chain/5/302");
    EXPECT_TRUE(HasInternet(FClient, Http()));
    EXPECT_EQ(Requests().size(), 6u);
    FServer->ScriptRoot("chain/6/301");
    EXPECT_FALSE(HasInternet(FClient, Http()));
    EXPECT_FALSE(HasInternet(FClient, Http()));
}

TEST_F(NewsClientTest, RedirectsKeepTheMethod) {
    FServer->ScriptRoot("chain/1/303");
    FServer->ScriptNews("redirect?code=303&to=/chain/1/307");
    ASSERT_TRUE(HasInternet(FClient, Http()));
    ASSERT_TRUE(FetchNewsText(FClient, Http()));
    EXPECT_EQ(Lines(Requests()),
              (std::vector<std::string>{"HEAD /", "HEAD /chain/0/303", "GET " + kNewsTarget,
                                        "GET /chain/1/307", "GET /chain/0/307"}));
}

TEST_F(NewsClientTest, RedirectsWithoutLocationAndChallengesAreFinal) {
    for (const char* news :
         {"redirect?code=302", "redirect?code=301&to=", "status/401", "status/407"}) {
        FServer->ScriptNews(news);
        const std::optional<std::u16string> text = FetchNewsText(FClient, Http());
        ASSERT_TRUE(text) << news;
    }
    EXPECT_EQ(Requests().size(), 4u);
}

TEST_F(NewsClientTest, RedirectsMayChangeSchemeHostAndPort) {
    const std::string https = FServer->Origin("https");
    FServer->ScriptRoot("redirect?to=" +
                        UrlEncode(https + "/redirect?to=" + UrlEncode(Http() + "/status/204#f")));
    EXPECT_TRUE(HasInternet(FClient, Http()));
    EXPECT_EQ(Lines(Requests()),
              (std::vector<std::string>{"HEAD /",
                                        "HEAD /redirect?to=" + UrlEncode(Http() + "/status/204#f"),
                                        "HEAD /status/204"}));
}

TEST_F(NewsClientTest, CookieOfTheProbesRedirectGoesToTheNextHopAndTheNews) {
    FServer->ScriptRoot("redirect?to=/status/200&cookie=" + UrlEncode("probe=1; Path=/"));
    FServer->ScriptNews("body?data=" + Hex("ok"));
    ASSERT_TRUE(HasInternet(FClient, Http()));
    EXPECT_EQ(FetchNewsText(FClient, Http()), u"ok");
    const std::vector<LoggedRequest> requests = Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(HeaderValues(requests[0], "Cookie").empty());
    EXPECT_EQ(HeaderValues(requests[1], "Cookie"), std::vector<std::string>{"probe=1"});
    EXPECT_EQ(HeaderValues(requests[2], "Cookie"), std::vector<std::string>{"probe=1"});
    // Another client of the same process keeps its own cookies.
    THTTPClient other = MakeWinHttpClient();
    EXPECT_TRUE(HasInternet(other, Http()));
}

struct NewsCase {
    std::string contentType;
    std::string encoding; // Content-Encoding; the server compresses unless raw
    bool raw;
    std::string body;
    std::optional<std::u16string> text;
};

class NewsBodyTest : public NewsClientTest, public testing::WithParamInterface<NewsCase> {};

TEST_P(NewsBodyTest, DecodesAndReducesTheBody) {
    const NewsCase& c = GetParam();
    std::string script = "body?data=" + Hex(c.body) + "&ct=" + UrlEncode(c.contentType);
    if (!c.encoding.empty())
        script += "&ce=" + c.encoding + (c.raw ? "&raw=1" : "");
    FServer->ScriptNews(script);
    EXPECT_EQ(FetchNewsText(FClient, Http()), c.text);
    EXPECT_EQ(Lines(Requests()), std::vector<std::string>{"GET " + kNewsTarget});
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Bodies, NewsBodyTest,
    testing::Values(
        NewsCase{"text/html; charset=windows-1256", "", false, "<b>\xD3\xE1\xC7\xE3</b>",
                 u"\u0633\u0644\u0627\u0645"},
        NewsCase{"text/html;charset='utf-8'", "", false, "\xD8\xB3<br>x", u"\u0633\r\nx"},
        NewsCase{"text/html;charset=\"utf-8\"", "", false, "\xD8\xB3", u"\u0633"},
        NewsCase{"text/html; charset=a=b", "", false, "\xD8\xB3", u"\u0633"},
        NewsCase{"text/html; foo=1; charset=iso-8859-6", "", false, "\xD3", u"\u0633"},
        NewsCase{"text/html", "", false, "\xEF\xBB\xBFnews", u"news"},
        NewsCase{"text/html; charset=utf-16", "", false, "\xFF\xFEn\0e\0w\0s\0"s, u"news"},
        NewsCase{"text/html; charset=koi8-r", "gzip", false, "\xED\xC9\xD2", u"\u041C\u0438\u0440"},
        NewsCase{"text/html", "deflate", false, "<p>deflated</p>", u"deflated"},
        NewsCase{"text/html", "GZIP", true, "not compressed", u"not compressed"},
        NewsCase{"", "", false, "", u""},
        NewsCase{"text/html; charset=x-nothing", "", false, "news", std::nullopt},
        NewsCase{"text/html", "gzip", true, "corrupt", std::nullopt},
        NewsCase{"text/html", "deflate", true,
                 "\x1f\x8b\x08\x00"
                 "corrupt"s,
                 std::nullopt}));

TEST_F(NewsClientTest, ErrorPagesAreShownLikeNews) {
    FServer->ScriptNews("body?status=500&ct=text%2Fhtml&data=" +
                        Hex("<html><h1>Internal error</h1>&nbsp;retry</html>"));
    EXPECT_EQ(FetchNewsText(FClient, Http()), u"Internal error retry");
}

TEST_F(NewsClientTest, TrustsOnlyValidCertificatesForTheHost) {
    EXPECT_TRUE(HasInternet(FClient, FServer->Origin("https")));
    FServer->ScriptNews("body?data=" + Hex("secure"));
    EXPECT_EQ(FetchNewsText(FClient, FServer->Origin("https")), u"secure");
    EXPECT_FALSE(HasInternet(FClient, FServer->Origin("https_unknown")));
    EXPECT_FALSE(HasInternet(FClient, FServer->Origin("https_wronghost")));
    EXPECT_FALSE(
        HasInternet(FClient, "https://127.0.0.1:" + std::to_string(FServer->Port("http"))));
}

TEST_F(NewsClientTest, BodiesStopAtSixteenMebibytes) {
    FServer->ScriptNews("huge?size=" + std::to_string(kMaxBodyBytes));
    const std::optional<std::u16string> full = FetchNewsText(FClient, Http());
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), kMaxBodyBytes);
    for (const std::string& news :
         {"huge?size=" + std::to_string(kMaxBodyBytes + 1),
          "huge?ce=gzip&size=" + std::to_string(kMaxBodyBytes + 1),
          "huge?ce=gzip&size=" + std::to_string(std::size_t{1} << 28), std::string("endless")}) {
        FServer->ScriptNews(news);
        EXPECT_EQ(FetchNewsText(FClient, Http()), std::nullopt) << news;
    }
}

TEST_F(NewsClientTest, SilentAndTricklingServersEndWithinTheLimits) {
    THTTPClient client = MakeWinHttpClient(kShortLimits);
    EXPECT_FALSE(HasInternet(client, FServer->Origin("silent")));
    FServer->ScriptNews("trickle");
    EXPECT_EQ(FetchNewsText(client, Http()), std::nullopt);
}

TEST_F(NewsClientTest, HostileAnswersFailOrEndCleanly) {
    EXPECT_FALSE(HasInternet(FClient, "http://127.0.0.1:1")); // refused
    FServer->ScriptNews("garbage");
    EXPECT_EQ(FetchNewsText(FClient, Http()), std::nullopt);
    // The platform may take a malformed head for a response; no text comes of it either way.
    FServer->ScriptNews("badhead");
    const std::optional<std::u16string> text = FetchNewsText(FClient, Http());
    EXPECT_TRUE(!text || text->empty());
    FServer->ScriptRoot("cookies?count=600");
    EXPECT_TRUE(HasInternet(FClient, Http()));
    EXPECT_LE(FClient.Cookies().Size(), CookieStore::kMaxCookies);
}

} // namespace
} // namespace ostrafel
