// Any base and reference resolve without a crash; a usable result written out and
// parsed again names the same request.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrafel;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view base = input.substr(0, split);
    const std::string_view reference = split == input.npos ? "" : input.substr(split + 1);

    ResolveReference(base, reference);
    const std::optional<Url> current = ParseHttpUrl(base);
    if (!current)
        return 0;
    const std::optional<Url> next = ResolveRedirect(*current, reference);
    if (!next)
        return 0;
    const std::optional<Url> again = ParseHttpUrl(ToString(*next));
    if (!again || again->host != next->host || again->port != next->port ||
        again->secure != next->secure || RequestTarget(*again) != RequestTarget(*next))
        std::abort();
    for (const char c : RequestTarget(*next))
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            std::abort();
    return 0;
}
