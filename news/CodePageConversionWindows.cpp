#include "CodePageConversion.h"
#include "TextConversion.h"

namespace ostrafel {

std::optional<std::u16string> PlatformBytesToUtf16(unsigned codePage, std::string_view bytes) {
    const std::wstring text = CodePageToWide(codePage, bytes);
    if (text.empty())
        return std::nullopt;
    return ToUtf16(text);
}

} // namespace ostrafel
