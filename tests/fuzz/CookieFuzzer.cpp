// Any "Set-Cookie" lines, received for any URL, leave a bounded store whose "Cookie"
// header cannot break a header line.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CookieStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrafel;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::optional<Url> url = ParseHttpUrl(input.substr(0, split));
    if (!url || split == input.npos)
        return 0;
    input.remove_prefix(split + 1);

    constexpr UnixSeconds now = 1'700'000'000;
    ParseCookieDate(input);
    HttpHeaders headers;
    while (!input.empty()) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        headers.push_back({"Set-Cookie", std::string(input.substr(0, end))});
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    CookieStore store;
    store.Store(headers, *url, now);
    if (store.Size() > CookieStore::kMaxCookies || store.Size() > headers.size())
        std::abort();
    const std::string header = store.HeaderFor(*url, now);
    if (header.find_first_of("\r\n") != std::string::npos)
        std::abort();
    return 0;
}
