// The probe of the maker's server and the fetch of the news text, for the main window.
// Every timer tick the window asks HasInternet(NetHTTPClient1, NewsOrigin()); on the
// first true it stops the timer, then calls FetchNewsText once and, when that gives
// a text, puts it into the news box.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "HttpClient.h"

namespace ostrafel {

inline constexpr std::string_view kProbePath = "/";
inline constexpr std::string_view kNewsPath = "/APP/api/app-widget-box.php?app=mivr482";

// The origin of the maker's server that this build talks to, e.g. "https://news.example.com".
std::string_view NewsOrigin();

// Whether the server at origin answers a "HEAD /" at all: any final response, whatever
// its status, is true; every failure is false.
bool HasInternet(THTTPClient& client, std::string_view origin);

// The news text: the body of the news request, whatever its status, decoded and reduced
// to plain text. Every failure of the exchange or the decoding gives none.
std::optional<std::u16string> FetchNewsText(THTTPClient& client, std::string_view origin);

} // namespace ostrafel
