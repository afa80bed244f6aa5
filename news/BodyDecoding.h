// Turning the body of a response into text: decompression, character set, byte-order mark.
#pragma once

#include <string>
#include <string_view>

#include "HttpTypes.h"

namespace ostrafel {

enum class Compression { Gzip, Zlib };

// Inflates one whole gzip or zlib stream; bytes after its end are ignored. Throws
// HttpError for corrupt or truncated data and when the output would exceed
// kMaxBodyBytes.
std::string Inflate(std::string_view data, Compression compression);

// Inflates the body when "Content-Encoding" is exactly "gzip" or "deflate" (a zlib
// stream); any other value, or none, leaves it unchanged. An empty body stays empty.
std::string DecodeContent(const HttpHeaders& headers, std::string body);

// The code page named by the "charset" of "Content-Type", UTF-8 when there is none.
// Throws HttpError for a name that is not known.
unsigned BodyCodePage(const HttpHeaders& headers);

// The bytes without the byte-order mark of that code page, if they begin with it.
std::string_view SkipByteOrderMark(std::string_view bytes, unsigned codePage);

// The whole decoding of a "GET" response's body; throws HttpError when it fails.
std::u16string DecodeBody(const HttpResponse& response);

} // namespace ostrafel
