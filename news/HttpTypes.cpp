#include "HttpTypes.h"

#include <algorithm>
#include <utility>

namespace ostrafel {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void AppendBodyPiece(std::string& body, std::string_view piece) {
    if (piece.size() > kMaxBodyBytes - body.size())
        throw HttpError("response body larger than 16 MiB");
    body.append(piece);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), LowerAscii);
    return result;
}

std::string_view TrimControls(std::string_view text) {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isControl(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string_view> FindHeader(const HttpHeaders& headers, std::string_view name) {
    for (const HttpHeader& header : headers)
        if (EqualsIgnoringCase(header.name, name))
            return header.value;
    return std::nullopt;
}

HttpHeaders ParseRawHeaders(std::string_view head) {
    HttpHeaders headers;
    bool statusLine = true;
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        std::string_view line = head.substr(0, end);
        head = end == head.npos ? std::string_view{} : head.substr(end + 1);
        if (std::exchange(statusLine, false))
            continue;
        const std::size_t colon = line.find(':');
        if (colon == line.npos)
            continue;
        headers.push_back({std::string(TrimControls(line.substr(0, colon))),
                           std::string(TrimControls(line.substr(colon + 1)))});
    }
    return headers;
}

} // namespace ostrafel
