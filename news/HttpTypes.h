// What one HTTP exchange sends and receives, independent of the platform's HTTP service.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ostrafel {

// Header names and values are kept as the bytes of the wire, mostly ASCII.
struct HttpHeader {
    std::string name;
    std::string value;
};
using HttpHeaders = std::vector<HttpHeader>;

struct HttpResponse {
    int status = 0;
    HttpHeaders headers;
    std::string body; // empty for "HEAD"
};

// The only error of the news client: the exchange or the decoding of its body failed.
class HttpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A body, raw or decompressed, may not grow beyond this, so that a hostile server
// cannot exhaust the memory of the program.
inline constexpr std::size_t kMaxBodyBytes = std::size_t{16} << 20;

// Appends one received piece to body; throws HttpError once the body would exceed
// kMaxBodyBytes.
void AppendBodyPiece(std::string& body, std::string_view piece);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
std::string ToLowerAscii(std::string_view text);
// Removes characters up to U+0020 from both ends.
std::string_view TrimControls(std::string_view text);

// The value of the first header of that name (any letter case), if there is one.
std::optional<std::string_view> FindHeader(const HttpHeaders& headers, std::string_view name);

// Splits the raw response head ("HTTP/1.1 200 OK\r\nName: value\r\n...") into headers;
// the status line and lines without a colon are skipped.
HttpHeaders ParseRawHeaders(std::string_view head);

} // namespace ostrafel
