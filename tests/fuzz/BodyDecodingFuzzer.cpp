// Any response head and body decode to text or fail with HttpError: no crash, no other
// error, and no text longer than the 16 MiB limit allows.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "BodyDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrafel;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The head ends at the first empty line, as on the wire.
    const std::size_t split = input.find("\r\n\r\n");
    HttpResponse response;
    response.headers = ParseRawHeaders(input.substr(0, split));
    response.body = split == input.npos ? "" : input.substr(split + 4);
    try {
        if (DecodeBody(response).size() > kMaxBodyBytes)
            std::abort();
    } catch (const HttpError&) {
    }
    return 0;
}
