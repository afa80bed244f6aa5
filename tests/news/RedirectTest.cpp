#include <gtest/gtest.h>

#include "Redirect.h"

namespace ostrafel {
namespace {

TEST(RedirectTest, FollowsTheFiveRedirectStatusesOnly) {
    for (int status = 100; status < 600; ++status) {
        const bool redirect = status == 300 || status == 301 || status == 302 || status == 303 ||
                              status == 307 || status == 308;
        EXPECT_EQ(DecideRedirect(status, "/next", 0),
                  redirect ? HopOutcome::Follow : HopOutcome::Final)
            << status;
    }
}

TEST(RedirectTest, CountsRedirectsAndFailsOnTheSixth) {
    EXPECT_EQ(DecideRedirect(302, "/x", 4), HopOutcome::Follow);
    EXPECT_EQ(DecideRedirect(302, "/x", 5), HopOutcome::TooManyRedirects);
    // The count is checked before the location.
    EXPECT_EQ(DecideRedirect(301, std::nullopt, 5), HopOutcome::TooManyRedirects);
    EXPECT_EQ(DecideRedirect(200, "/x", 5), HopOutcome::Final);
}

TEST(RedirectTest, MissingOrEmptyLocationMakesTheResponseFinal) {
    EXPECT_EQ(DecideRedirect(301, std::nullopt, 0), HopOutcome::Final);
    EXPECT_EQ(DecideRedirect(307, "", 0), HopOutcome::Final);
}

TEST(RedirectTest, AuthenticationChallengesAreFinal) {
    EXPECT_EQ(DecideRedirect(401, "/login", 0), HopOutcome::Final);
    EXPECT_EQ(DecideRedirect(407, "/login", 0), HopOutcome::Final);
}

} // namespace
} // namespace ostrafel
