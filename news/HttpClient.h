// The news client: one exchange of a request with its redirects and cookies.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "CookieStore.h"
#include "HttpTypes.h"
#include "Url.h"

namespace ostrafel {

struct HttpRequest {
    std::string method; // "HEAD" or "GET"
    Url url;
    HttpHeaders headers; // "User-Agent" and, when cookies apply, "Cookie"; nothing else
};

// Sends one request over the wire and returns its response as it came: no redirect is
// followed and no cookie is kept. The body is read, to at most kMaxBodyBytes, unless
// the method is "HEAD". Throws HttpError when the exchange fails.
class HttpTransport {
  public:
    virtual ~HttpTransport() = default;
    virtual HttpResponse Send(const HttpRequest& request) = 0;
};

inline constexpr std::string_view kUserAgent = "Ostrafel URI Client/1.0";

// Runs exchanges over a transport: follows up to five redirects itself, keeps the
// cookies of every response in memory and sends them where they apply.
// Used by one thread; every call blocks until the exchange ends.
class THTTPClient {
  public:
    using Clock = std::function<UnixSeconds()>;

    explicit THTTPClient(std::unique_ptr<HttpTransport> transport, Clock clock = SystemClock);

    // Runs one exchange for an absolute http or https URL and returns the final response;
    // no status code is a failure. Throws HttpError when the URL is not usable, the
    // transport fails, a redirect leads nowhere usable or a sixth redirect arrives.
    HttpResponse Execute(std::string_view method, std::string_view url);

    const CookieStore& Cookies() const { return FCookies; }

    static UnixSeconds SystemClock();

  private:
    HttpResponse SendOnce(std::string_view method, const Url& url);

    std::unique_ptr<HttpTransport> FTransport;
    Clock FClock;
    CookieStore FCookies;
};

} // namespace ostrafel
