#include "Url.h"

#include <algorithm>
#include <charconv>

#include "HttpTypes.h"

namespace ostrafel {
namespace {

// The five components of a URI reference (RFC 3986 appendix B); absent differs from empty.
struct UriParts {
    std::optional<std::string> scheme;
    std::optional<std::string> authority;
    std::string path;
    std::optional<std::string> query;
    std::optional<std::string> fragment;
};

UriParts SplitUri(std::string_view s) {
    UriParts parts;
    const std::size_t colon = s.find_first_of(":/?#");
    if (colon != s.npos && colon > 0 && s[colon] == ':') {
        parts.scheme = std::string(s.substr(0, colon));
        s.remove_prefix(colon + 1);
    }
    if (s.starts_with("//")) {
        s.remove_prefix(2);
        const std::size_t end = std::min(s.find_first_of("/?#"), s.size());
        parts.authority = std::string(s.substr(0, end));
        s.remove_prefix(end);
    }
    const std::size_t pathEnd = std::min(s.find_first_of("?#"), s.size());
    parts.path = std::string(s.substr(0, pathEnd));
    s.remove_prefix(pathEnd);
    if (s.starts_with('?')) {
        const std::size_t end = std::min(s.find('#'), s.size());
        parts.query = std::string(s.substr(1, end - 1));
        s.remove_prefix(end);
    }
    if (s.starts_with('#'))
        parts.fragment = std::string(s.substr(1));
    return parts;
}

std::string Recompose(const UriParts& parts) {
    std::string text;
    if (parts.scheme)
        text += *parts.scheme + ':';
    if (parts.authority)
        text += "//" + *parts.authority;
    text += parts.path;
    if (parts.query)
        text += '?' + *parts.query;
    if (parts.fragment)
        text += '#' + *parts.fragment;
    return text;
}

void RemoveLastSegment(std::string& output) {
    const std::size_t slash = output.rfind('/');
    output.erase(slash == output.npos ? 0 : slash);
}

// RFC 3986 section 5.2.4.
std::string RemoveDotSegments(std::string_view input) {
    std::string output;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../")) {
            input.remove_prefix(3);
            RemoveLastSegment(output);
        } else if (input == "/..") {
            input = "/";
            RemoveLastSegment(output);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const std::size_t end = std::min(input.find('/', 1), input.size());
            output += input.substr(0, end);
            input.remove_prefix(end);
        }
    }
    return output;
}

// RFC 3986 section 5.2.3.
std::string MergePaths(const UriParts& base, std::string_view reference) {
    if (base.authority && base.path.empty())
        return '/' + std::string(reference);
    const std::size_t slash = base.path.rfind('/');
    return (slash == base.path.npos ? std::string() : base.path.substr(0, slash + 1)) +
           std::string(reference);
}

bool IsUnsafeInTarget(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>';
}

// Bytes that may not stand in a request line are sent percent-encoded, as browsers do.
std::string EncodeUnsafe(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnsafeInTarget(byte)) {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0xF];
        } else {
            result += c;
        }
    }
    return result;
}

// A registered name or IPv4 address, or an IPv6 literal in brackets.
bool IsValidHost(std::string_view host) {
    if (host.empty())
        return false;
    if (host.starts_with('[')) {
        const std::string_view inner = host.substr(1, host.size() - 2);
        return host.ends_with(']') && !inner.empty() &&
               inner.find_first_not_of("0123456789abcdefABCDEF:.") == inner.npos;
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > 0x20 && byte < 0x7F &&
               std::string_view("\"<>\\^`{|}%/?#@:[]").find(c) == std::string_view::npos;
    });
}

std::optional<std::uint16_t> ParsePort(std::string_view text, bool secure) {
    if (text.empty())
        return secure ? 443 : 80;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// "user@host:port" -> host and port.
bool ParseAuthority(std::string_view authority, Url& url) {
    const std::size_t at = authority.rfind('@');
    if (at != authority.npos)
        authority.remove_prefix(at + 1);
    std::size_t hostEnd = authority.rfind(':');
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == authority.npos)
            return false;
        hostEnd = close + 1;
        if (hostEnd < authority.size() && authority[hostEnd] != ':')
            return false;
    }
    hostEnd = std::min(hostEnd, authority.size());
    const std::string_view host = authority.substr(0, hostEnd);
    const std::string_view port = authority.substr(std::min(hostEnd + 1, authority.size()));
    const std::optional<std::uint16_t> portNumber = ParsePort(port, url.secure);
    if (!IsValidHost(host) || !portNumber)
        return false;
    url.host = ToLowerAscii(host);
    url.port = *portNumber;
    return true;
}

} // namespace

std::optional<Url> ParseHttpUrl(std::string_view text) {
    const UriParts parts = SplitUri(TrimControls(text));
    if (!parts.scheme || !parts.authority)
        return std::nullopt;
    Url url;
    const std::string scheme = ToLowerAscii(*parts.scheme);
    if (scheme != "http" && scheme != "https")
        return std::nullopt;
    url.secure = scheme == "https";
    if (!ParseAuthority(*parts.authority, url))
        return std::nullopt;
    url.path = parts.path.empty() ? "/" : EncodeUnsafe(parts.path);
    url.hasQuery = parts.query.has_value();
    url.query = EncodeUnsafe(parts.query.value_or(""));
    url.fragment = parts.fragment;
    return url;
}

std::string RequestTarget(const Url& url) {
    return url.hasQuery ? url.path + '?' + url.query : url.path;
}

std::string ToString(const Url& url) {
    std::string text = url.secure ? "https://" : "http://";
    text += url.host;
    if (url.port != (url.secure ? 443 : 80))
        text += ':' + std::to_string(url.port);
    return text + RequestTarget(url);
}

std::string ResolveReference(std::string_view base, std::string_view reference) {
    const UriParts b = SplitUri(base);
    const UriParts r = SplitUri(TrimControls(reference));
    UriParts t;
    if (r.scheme) {
        t.scheme = r.scheme;
        t.authority = r.authority;
        t.path = RemoveDotSegments(r.path);
        t.query = r.query;
    } else {
        if (r.authority) {
            t.authority = r.authority;
            t.path = RemoveDotSegments(r.path);
            t.query = r.query;
        } else {
            if (r.path.empty()) {
                t.path = b.path;
                t.query = r.query ? r.query : b.query;
            } else {
                t.path =
                    RemoveDotSegments(r.path.starts_with('/') ? r.path : MergePaths(b, r.path));
                t.query = r.query;
            }
            t.authority = b.authority;
        }
        t.scheme = b.scheme;
    }
    t.fragment = r.fragment;
    return Recompose(t);
}

std::optional<Url> ResolveRedirect(const Url& current, std::string_view location) {
    std::optional<Url> next = ParseHttpUrl(ResolveReference(ToString(current), location));
    if (next && !next->fragment)
        next->fragment = current.fragment;
    return next;
}

} // namespace ostrafel
