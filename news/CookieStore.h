// The client's cookies (RFC 6265): kept in memory for the life of the client only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HttpTypes.h"
#include "Url.h"

namespace ostrafel {

// Times are seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = std::int64_t;

struct Cookie {
    std::string name;
    std::string value;
    std::string domain; // lower case, without a leading "."
    std::string path;
    bool hostOnly = true;
    bool secure = false;
    std::optional<UnixSeconds> expiry; // none: lives as long as the store
    UnixSeconds creation = 0;
};

// The date of an "Expires" attribute (RFC 6265 section 5.1.1), e.g.
// "Wed, 21 Oct 2015 07:28:00 GMT" -> 1445412480. Fails for an invalid date.
std::optional<UnixSeconds> ParseCookieDate(std::string_view text);

// One "Set-Cookie" value received for url at time now (RFC 6265 section 5.2 and 5.3).
// Fails when the cookie is to be ignored: no "=", empty name, control characters,
// oversized, or a "Domain" that the host does not match or that is a bare top-level name.
std::optional<Cookie> ParseSetCookie(std::string_view header, const Url& url, UnixSeconds now);

class CookieStore {
  public:
    // More cookies than this evict the oldest: a server cannot make the store grow
    // without bound.
    static constexpr std::size_t kMaxCookies = 150;

    // Stores the cookies of every "Set-Cookie" header of a response for url.
    void Store(const HttpHeaders& headers, const Url& url, UnixSeconds now);
    // The value of the "Cookie" header for url, empty when no cookie applies:
    // "a=1; b=2", longer paths first, then older cookies first.
    std::string HeaderFor(const Url& url, UnixSeconds now) const;
    std::size_t Size() const { return FCookies.size(); }

  private:
    void Put(Cookie cookie, UnixSeconds now);

    std::vector<Cookie> FCookies;
};

} // namespace ostrafel
