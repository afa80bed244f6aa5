// Taking request URLs apart and resolving redirect locations (RFC 3986).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrafel {

// An absolute http or https URL, taken apart for a request.
struct Url {
    bool secure = false;    // https
    std::string host;       // lower case; an IPv6 literal keeps its brackets
    std::uint16_t port = 0; // the scheme's default when the URL names none
    std::string path;       // "/" when the URL has none; unsafe bytes percent-encoded
    std::string query;      // without "?"; unsafe bytes percent-encoded
    bool hasQuery = false;
    std::optional<std::string> fragment; // never sent, kept across redirects
};

// "https://Example.com:8443/a b?x#f" -> https, "example.com", 8443, "/a%20b", "x", "f".
// Fails for another scheme, a relative reference, an empty or malformed host, or a
// port outside 1..65535. User information before "@" is dropped.
std::optional<Url> ParseHttpUrl(std::string_view text);

// The path, followed by "?" and the query when there is one.
std::string RequestTarget(const Url& url);

// The URL written out again, without the fragment and without a default port.
std::string ToString(const Url& url);

// Resolves reference against the absolute base URI (RFC 3986 section 5.2), e.g.
// ("http://a/b/c/d;p?q", "../g") -> "http://a/b/g".
std::string ResolveReference(std::string_view base, std::string_view reference);

// The next URL of a redirect: location resolved against the current URL; a location
// without a fragment keeps the current one. Fails when the result is no http(s) URL.
std::optional<Url> ResolveRedirect(const Url& current, std::string_view location);

} // namespace ostrafel
