// Builds without Windows run the client's logic in tests only; they convert the code
// pages that those tests use: UTF-8, US-ASCII and ISO-8859-1.
#include "CodePageConversion.h"

#include "Charset.h"

namespace ostrafel {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// The number of continuation bytes after a lead byte and its payload bits; -1 when
// the byte cannot start a sequence.
int SequenceLength(unsigned char lead, char32_t& code) {
    if (lead < 0x80) {
        code = lead;
        return 0;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1Fu;
        return 1;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0Fu;
        return 2;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07u;
        return 3;
    }
    return -1;
}

void AppendCodePoint(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (code >> 10));
    text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    std::u16string text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t code = 0;
        const int length = SequenceLength(static_cast<unsigned char>(bytes[i++]), code);
        int read = 0;
        while (read < length && i < bytes.size() &&
               (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) {
            code = code << 6 | (static_cast<unsigned char>(bytes[i++]) & 0x3Fu);
            ++read;
        }
        const bool valid = length >= 0 && read == length && code >= kMinimum[length] &&
                           code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (valid)
            AppendCodePoint(text, code);
        else
            text += kReplacement;
    }
    return text;
}

} // namespace

std::optional<std::u16string> PlatformBytesToUtf16(unsigned codePage, std::string_view bytes) {
    if (codePage == kCodePageUtf8)
        return Utf8ToUtf16(bytes);
    if (codePage != 20127 && codePage != 28591)
        return std::nullopt;
    std::u16string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += codePage == 20127 && byte >= 0x80 ? kReplacement : static_cast<char16_t>(byte);
    }
    return text;
}

} // namespace ostrafel
