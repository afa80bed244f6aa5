#include "NewsLoader.h"

#include <exception>

#include "BodyDecoding.h"
#include "StripHTML.h"

namespace ostrafel {

std::string_view NewsOrigin() {
    return OSTRAFEL_NEWS_ORIGIN;
}

// Network and decoding failures are never shown: the caller only learns "no answer".
bool HasInternet(THTTPClient& client, std::string_view origin) {
    try {
        client.Execute("HEAD", ResolveReference(origin, kProbePath));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::u16string> FetchNewsText(THTTPClient& client, std::string_view origin) {
    try {
        return StripHTMLImproved(
            DecodeBody(client.Execute("GET", ResolveReference(origin, kNewsPath))));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace ostrafel
