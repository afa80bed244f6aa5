#include "Redirect.h"

namespace ostrafel {

bool IsRedirectStatus(int status) {
    switch (status) {
    case 300:
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        return true;
    default:
        return false;
    }
}

HopOutcome DecideRedirect(int status, std::optional<std::string_view> location,
                          int redirectsSoFar) {
    if (!IsRedirectStatus(status))
        return HopOutcome::Final;
    if (redirectsSoFar + 1 > kMaxRedirects)
        return HopOutcome::TooManyRedirects;
    return location && !location->empty() ? HopOutcome::Follow : HopOutcome::Final;
}

} // namespace ostrafel
