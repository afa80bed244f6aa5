#include <gtest/gtest.h>

#include "BodyDecoding.h"
#include "Compress.h"
#include "FakeTransport.h"
#include "NewsLoader.h"

namespace ostrafel {
namespace {

using testing_support::FakeClient;
using testing_support::Redirect;

constexpr std::string_view kOrigin = "https://news.example.com";
const std::string kNewsUrl = "https://news.example.com/APP/api/app-widget-box.php?app=mivr482";

class NewsLoaderTest : public FakeClient, public testing::Test {};

TEST_F(NewsLoaderTest, ProbeSucceedsOnAnyFinalResponse) {
    for (const int status : {200, 204, 304, 401, 403, 404, 407, 500, 503}) {
        fake->routes["https://news.example.com/"] = {status, {}, ""};
        EXPECT_TRUE(HasInternet(client, kOrigin)) << status;
    }
    EXPECT_EQ(fake->requests.back().method, "HEAD");
}

TEST_F(NewsLoaderTest, ProbeFailsWithoutAnAnswer) {
    EXPECT_FALSE(HasInternet(client, kOrigin));
    for (int i = 0; i < 6; ++i)
        fake->routes["https://news.example.com/" + std::string(i, 'r')] =
            Redirect(302, "/" + std::string(i + 1, 'r'));
    // The sixth redirect fails the probe, and does so at every tick.
    EXPECT_FALSE(HasInternet(client, kOrigin));
    EXPECT_FALSE(HasInternet(client, kOrigin));
    fake->routes["https://news.example.com/rrrrr"] = {200, {}, ""};
    EXPECT_TRUE(HasInternet(client, kOrigin));
}

TEST_F(NewsLoaderTest, FetchesAndReducesTheNewsWhateverTheStatus) {
    fake->routes[kNewsUrl] = {500,
                              {{"Content-Type", "text/html; charset=utf-8"}},
                              "\xEF\xBB\xBF<h1>Error</h1><p>try&nbsp;later<br>bye</p>"};
    EXPECT_EQ(FetchNewsText(client, kOrigin), u"Errortry later\r\nbye");
    ASSERT_EQ(fake->requests.size(), 1u);
    EXPECT_EQ(fake->requests[0].method, "GET");
    EXPECT_EQ(RequestTarget(fake->requests[0].url), kNewsPath);
}

TEST_F(NewsLoaderTest, FetchDecompressesAndEmptiesOnAnEmptyBody) {
    fake->routes[kNewsUrl] = {200,
                              {{"Content-Encoding", "gzip"}},
                              testing_support::Compress("<b>\xD8\xB3</b>", Compression::Gzip)};
    EXPECT_EQ(FetchNewsText(client, kOrigin), u"\u0633");
    fake->routes[kNewsUrl] = {200, {}, ""};
    EXPECT_EQ(FetchNewsText(client, kOrigin), u"");
}

TEST_F(NewsLoaderTest, FetchSwallowsEveryFailure) {
    EXPECT_EQ(FetchNewsText(client, kOrigin), std::nullopt);
    fake->routes[kNewsUrl] = {200, {{"Content-Type", "text/html; charset=x-nothing"}}, "x"};
    EXPECT_EQ(FetchNewsText(client, kOrigin), std::nullopt);
    fake->routes[kNewsUrl] = {200, {{"Content-Encoding", "gzip"}}, "corrupt"};
    EXPECT_EQ(FetchNewsText(client, kOrigin), std::nullopt);
}

TEST_F(NewsLoaderTest, NewsRequestCarriesTheCookieOfTheProbesRedirect) {
    fake->routes["https://news.example.com/"] =
        Redirect(303, "/home", {{"Set-Cookie", "visit=1; Path=/APP"}});
    fake->routes["https://news.example.com/home"] = {200, {}, ""};
    fake->routes[kNewsUrl] = {200, {}, "news"};
    ASSERT_TRUE(HasInternet(client, kOrigin));
    EXPECT_EQ(FetchNewsText(client, kOrigin), u"news");
    EXPECT_EQ(FindHeader(fake->requests[1].headers, "Cookie"), std::nullopt); // path /APP only
    EXPECT_EQ(FindHeader(fake->requests.back().headers, "Cookie"), "visit=1");
}

TEST(NewsOriginTest, IsAnHttpsOrigin) {
    const std::optional<Url> origin = ParseHttpUrl(NewsOrigin());
    ASSERT_TRUE(origin) << NewsOrigin();
    EXPECT_TRUE(origin->secure);
    EXPECT_EQ(RequestTarget(*origin), "/");
}

} // namespace
} // namespace ostrafel
