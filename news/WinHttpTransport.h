// The news client over Windows HTTP Services.
#pragma once

#include <string>

#include "HttpClient.h"
#include "WinHttpLibrary.h"

namespace ostrafel {

// The time limits of every hop, in milliseconds. The body of a response must also
// arrive within receiveMs as a whole, so a server that sends a trickle cannot hold
// the caller for long.
struct HttpLimits {
    int resolveMs = 60000;
    int connectMs = 60000;
    int sendMs = 60000;
    int receiveMs = 60000;
};

// One synchronous WinHTTP session. The platform's own redirect and cookie handling is
// off (the client does both); the proxy comes from the user's configuration; automatic
// logon with the user's credentials is allowed for proxies and intranet hosts only.
// The system library named library is loaded at the first request (see WinHttpLibrary.h).
std::unique_ptr<HttpTransport> MakeWinHttpTransport(const HttpLimits& limits = {},
                                                    std::wstring library = kWinHttpLibrary);

// The client of the main window: WinHTTP with the given limits and the system clock.
THTTPClient MakeWinHttpClient(const HttpLimits& limits = {},
                              std::wstring library = kWinHttpLibrary);

} // namespace ostrafel
