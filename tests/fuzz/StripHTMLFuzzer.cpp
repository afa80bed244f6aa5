// Any UTF-16 text reduces without a crash to a text no longer than itself that holds no
// "<" or ">" and has nothing to trim at either end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "StripHTML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    const std::u16string result = ostrafel::StripHTMLImproved(text);
    if (result.size() > text.size() || result.find_first_of(u"<>") != std::u16string::npos)
        std::abort();
    if (!result.empty() && (result.front() <= u' ' || result.back() <= u' '))
        std::abort();
    return 0;
}
