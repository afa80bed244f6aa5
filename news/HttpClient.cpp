#include "HttpClient.h"

#include <chrono>
#include <utility>

#include "Redirect.h"

namespace ostrafel {

THTTPClient::THTTPClient(std::unique_ptr<HttpTransport> transport, Clock clock)
    : FTransport(std::move(transport)), FClock(std::move(clock)) {}

UnixSeconds THTTPClient::SystemClock() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

HttpResponse THTTPClient::SendOnce(std::string_view method, const Url& url) {
    HttpRequest request{std::string(method), url, {{"User-Agent", std::string(kUserAgent)}}};
    if (std::string cookie = FCookies.HeaderFor(url, FClock()); !cookie.empty())
        request.headers.push_back({"Cookie", std::move(cookie)});
    HttpResponse response = FTransport->Send(request);
    FCookies.Store(response.headers, url, FClock());
    return response;
}

HttpResponse THTTPClient::Execute(std::string_view method, std::string_view url) {
    std::optional<Url> current = ParseHttpUrl(url);
    for (int redirects = 0;; ++redirects) {
        if (!current)
            throw HttpError("not an http or https URL");
        HttpResponse response = SendOnce(method, *current);
        const std::optional<std::string_view> location = FindHeader(response.headers, "Location");
        switch (DecideRedirect(response.status, location, redirects)) {
        case HopOutcome::Final:
            return response;
        case HopOutcome::TooManyRedirects:
            throw HttpError("too many redirects");
        case HopOutcome::Follow:
            current = ResolveRedirect(*current, *location);
            break;
        }
    }
}

} // namespace ostrafel
