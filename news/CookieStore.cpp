#include "CookieStore.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ostrafel {
namespace {

constexpr std::size_t kMaxCookieBytes = 4096;
// Far enough ahead for any cookie, far from overflowing when added to a time.
constexpr UnixSeconds kMaxDeltaSeconds = 400LL * 365 * 24 * 3600;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// RFC 6265 section 5.1.1: delimiters between the tokens of a cookie date.
bool IsDateDelimiter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b == 0x09 || (b >= 0x20 && b <= 0x2F) || (b >= 0x3B && b <= 0x40) ||
           (b >= 0x5B && b <= 0x60) || (b >= 0x7B && b <= 0x7E);
}

// minDigits..maxDigits digits at the start of text, not followed by another digit.
std::optional<int> LeadingNumber(std::string_view& text, std::size_t minDigits,
                                 std::size_t maxDigits) {
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && IsDigit(text[count]) && count <= maxDigits) {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    if (count < minDigits || count > maxDigits)
        return std::nullopt;
    text.remove_prefix(count);
    return value;
}

struct DateFields {
    std::optional<std::array<int, 3>> time;
    std::optional<int> day, month, year;
};

std::optional<std::array<int, 3>> ParseTimeToken(std::string_view token) {
    std::array<int, 3> hms{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0) {
            if (!token.starts_with(':'))
                return std::nullopt;
            token.remove_prefix(1);
        }
        const std::optional<int> field = LeadingNumber(token, 1, 2);
        if (!field)
            return std::nullopt;
        hms[i] = *field;
    }
    return hms;
}

std::optional<int> ParseMonthToken(std::string_view token) {
    static constexpr std::string_view kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                   "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int i = 0; i < 12; ++i)
        if (StartsWithIgnoringCase(token, kMonths[i]))
            return i + 1;
    return std::nullopt;
}

void ReadDateToken(std::string_view token, DateFields& fields) {
    std::string_view rest = token;
    if (!fields.time && (fields.time = ParseTimeToken(token)))
        return;
    if (!fields.day && (fields.day = LeadingNumber(rest, 1, 2)))
        return;
    if (!fields.month && (fields.month = ParseMonthToken(token)))
        return;
    rest = token;
    if (!fields.year)
        fields.year = LeadingNumber(rest, 2, 4);
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool IsIpAddress(std::string_view host) {
    return host.starts_with('[') ||
           std::all_of(host.begin(), host.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

// RFC 6265 section 5.1.3.
bool DomainMatches(std::string_view host, std::string_view domain) {
    if (host == domain)
        return true;
    return host.size() > domain.size() && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == '.' && !IsIpAddress(host);
}

// RFC 6265 section 5.1.4.
bool PathMatches(std::string_view requestPath, std::string_view cookiePath) {
    if (!requestPath.starts_with(cookiePath))
        return false;
    return requestPath.size() == cookiePath.size() || cookiePath.ends_with('/') ||
           requestPath[cookiePath.size()] == '/';
}

std::string DefaultPath(std::string_view requestPath) {
    const std::size_t slash = requestPath.rfind('/');
    if (!requestPath.starts_with('/') || slash == 0)
        return "/";
    return std::string(requestPath.substr(0, slash));
}

// Control characters could end the header line that carries the cookie back.
bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != 0x09) || b == 0x7F;
    });
}

std::optional<UnixSeconds> ParseMaxAge(std::string_view value, UnixSeconds now) {
    const bool negative = value.starts_with('-');
    const std::string_view digits = value.substr(negative ? 1 : 0);
    if (value.empty() || (!negative && !IsDigit(value[0])) ||
        !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    UnixSeconds delta = 0;
    for (const char c : digits)
        delta = std::min(delta * 10 + (c - '0'), kMaxDeltaSeconds);
    if (negative || delta == 0)
        return std::numeric_limits<UnixSeconds>::min();
    return now + delta;
}

struct CookieAttributes {
    std::optional<UnixSeconds> maxAge, expires;
    std::optional<std::string> domain, path;
    bool secure = false;
};

void ReadAttribute(std::string_view attribute, CookieAttributes& attributes, UnixSeconds now) {
    const std::size_t equals = attribute.find('=');
    const std::string_view name = TrimControls(attribute.substr(0, equals));
    const std::string_view value =
        equals == attribute.npos ? std::string_view{} : TrimControls(attribute.substr(equals + 1));
    if (EqualsIgnoringCase(name, "expires")) {
        if (const std::optional<UnixSeconds> date = ParseCookieDate(value))
            attributes.expires = date;
    } else if (EqualsIgnoringCase(name, "max-age")) {
        if (const std::optional<UnixSeconds> expiry = ParseMaxAge(value, now))
            attributes.maxAge = expiry;
    } else if (EqualsIgnoringCase(name, "domain")) {
        if (!value.empty())
            attributes.domain = ToLowerAscii(value.starts_with('.') ? value.substr(1) : value);
    } else if (EqualsIgnoringCase(name, "path")) {
        attributes.path = value.starts_with('/') ? std::optional<std::string>(value) : std::nullopt;
    } else if (EqualsIgnoringCase(name, "secure")) {
        attributes.secure = true;
    }
}

// RFC 6265 section 5.3 steps 4 to 6, without a public suffix list: a domain without an
// inner dot counts as a public suffix.
bool ApplyDomain(Cookie& cookie, const std::optional<std::string>& domain, const Url& url) {
    cookie.domain = url.host;
    cookie.hostOnly = true;
    if (!domain || *domain == url.host)
        return true;
    if (domain->find('.') == std::string::npos || !DomainMatches(url.host, *domain))
        return false;
    cookie.domain = *domain;
    cookie.hostOnly = false;
    return true;
}

} // namespace

std::optional<UnixSeconds> ParseCookieDate(std::string_view text) {
    DateFields fields;
    while (!text.empty()) {
        const auto start = std::find_if_not(text.begin(), text.end(), IsDateDelimiter);
        const auto end = std::find_if(start, text.end(), IsDateDelimiter);
        ReadDateToken(text.substr(start - text.begin(), end - start), fields);
        text.remove_prefix(end - text.begin());
    }
    if (!fields.time || !fields.day || !fields.month || !fields.year)
        return std::nullopt;
    int year = *fields.year;
    year += year >= 70 && year <= 99 ? 1900 : year <= 69 ? 2000 : 0;
    const auto [hour, minute, second] = *fields.time;
    if (year < 1601 || hour > 23 || minute > 59 || second > 59 || *fields.day < 1 ||
        *fields.day > DaysInMonth(year, *fields.month))
        return std::nullopt;
    return DaysFromCivil(year, *fields.month, *fields.day) * 86400 + hour * 3600 + minute * 60 +
           second;
}

std::optional<Cookie> ParseSetCookie(std::string_view header, const Url& url, UnixSeconds now) {
    if (header.size() > kMaxCookieBytes || HasControlCharacter(header))
        return std::nullopt;
    const std::size_t semicolon = header.find(';');
    const std::string_view pair = header.substr(0, semicolon);
    const std::size_t equals = pair.find('=');
    if (equals == pair.npos)
        return std::nullopt;
    Cookie cookie;
    cookie.name = TrimControls(pair.substr(0, equals));
    cookie.value = TrimControls(pair.substr(equals + 1));
    if (cookie.name.empty())
        return std::nullopt;

    CookieAttributes attributes;
    std::string_view rest =
        semicolon == header.npos ? std::string_view{} : header.substr(semicolon + 1);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(';'), rest.size());
        ReadAttribute(rest.substr(0, end), attributes, now);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    if (!ApplyDomain(cookie, attributes.domain, url))
        return std::nullopt;
    cookie.path = attributes.path.value_or(DefaultPath(url.path));
    cookie.secure = attributes.secure;
    cookie.expiry = attributes.maxAge ? attributes.maxAge : attributes.expires;
    cookie.creation = now;
    return cookie;
}

void CookieStore::Store(const HttpHeaders& headers, const Url& url, UnixSeconds now) {
    for (const HttpHeader& header : headers)
        if (EqualsIgnoringCase(header.name, "set-cookie"))
            if (std::optional<Cookie> cookie = ParseSetCookie(header.value, url, now))
                Put(std::move(*cookie), now);
}

void CookieStore::Put(Cookie cookie, UnixSeconds now) {
    const auto same = std::find_if(FCookies.begin(), FCookies.end(), [&](const Cookie& old) {
        return old.name == cookie.name && old.domain == cookie.domain && old.path == cookie.path;
    });
    if (same != FCookies.end()) {
        // The replacement keeps the place and the creation time of the old cookie.
        cookie.creation = same->creation;
        if (cookie.expiry && *cookie.expiry <= now)
            FCookies.erase(same);
        else
            *same = std::move(cookie);
        return;
    }
    std::erase_if(FCookies, [now](const Cookie& old) { return old.expiry && *old.expiry <= now; });
    if (cookie.expiry && *cookie.expiry <= now)
        return;
    if (FCookies.size() >= kMaxCookies)
        FCookies.erase(std::min_element(
            FCookies.begin(), FCookies.end(),
            [](const Cookie& a, const Cookie& b) { return a.creation < b.creation; }));
    FCookies.push_back(std::move(cookie));
}

std::string CookieStore::HeaderFor(const Url& url, UnixSeconds now) const {
    std::vector<const Cookie*> matching;
    for (const Cookie& cookie : FCookies) {
        const bool domainOk =
            cookie.hostOnly ? url.host == cookie.domain : DomainMatches(url.host, cookie.domain);
        if (domainOk && PathMatches(url.path, cookie.path) && (!cookie.secure || url.secure) &&
            !(cookie.expiry && *cookie.expiry <= now))
            matching.push_back(&cookie);
    }
    std::stable_sort(matching.begin(), matching.end(), [](const Cookie* a, const Cookie* b) {
        if (a->path.size() != b->path.size())
            return a->path.size() > b->path.size();
        return a->creation < b->creation;
    });
    std::string header;
    for (const Cookie* cookie : matching)
        header += (header.empty() ? "" : "; ") + cookie->name + '=' + cookie->value;
    return header;
}

} // namespace ostrafel
