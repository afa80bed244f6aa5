#include <windows.h>

#include "CodePageConversion.h"

namespace ostrafel {

std::optional<std::u16string> PlatformBytesToUtf16(unsigned codePage, std::string_view bytes) {
    // Bodies are capped far below INT_MAX bytes.
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), size,
                            reinterpret_cast<wchar_t*>(text.data()), length) != length)
        return std::nullopt;
    return text;
}

} // namespace ostrafel
