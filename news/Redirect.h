// Whether a response ends an exchange or sends it on to another URL.
#pragma once

#include <optional>
#include <string_view>

namespace ostrafel {

inline constexpr int kMaxRedirects = 5;

enum class HopOutcome { Final, Follow, TooManyRedirects };

bool IsRedirectStatus(int status); // 300, 301, 302, 303, 307, 308

// redirectsSoFar counts the redirects before this response. A redirect status counts
// one more; beyond kMaxRedirects the exchange fails, with or without a "Location".
// A missing or empty location makes the response final. 401, 407 and every other
// status are final too.
HopOutcome DecideRedirect(int status, std::optional<std::string_view> location, int redirectsSoFar);

} // namespace ostrafel
