#include "CodePageConversion.h"

#include "Charset.h"

namespace ostrafel {
namespace {

// The platform's converter does not handle UTF-16, so it is done here.
std::u16string Utf16ToUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    if (bytes.size() % 2 != 0)
        text += u'\uFFFD';
    return text;
}

} // namespace

std::optional<std::u16string> BytesToUtf16(unsigned codePage, std::string_view bytes) {
    if (codePage == kCodePageUtf16LE || codePage == kCodePageUtf16BE)
        return Utf16ToUtf16(bytes, codePage == kCodePageUtf16BE);
    if (bytes.empty())
        return std::u16string();
    return PlatformBytesToUtf16(codePage, bytes);
}

} // namespace ostrafel
