#include "CliText.h"

#include <charconv>
#include <cmath>

namespace ostrafel::cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    auto put = [&out](unsigned v) { out.push_back(static_cast<char>(v)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t c = 0;
        char32_t lowest = 0;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, lowest = 0x10000;
        } else {
            AppendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        int taken = 1;
        bool valid = true;
        for (; taken < length; ++taken) {
            if (i + taken >= utf8.size() || !IsContinuation(static_cast<unsigned char>(utf8[i + taken]))) {
                valid = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
            // Reject overlong forms, surrogates and values past U+10FFFF as soon
            // as the second byte shows them, so the bad subpart stays maximal.
            if (taken == 1 && length > 2) {
                const char32_t top = c << (6 * (length - 2));
                if (top < lowest || (top >= 0xD800 && top <= 0xDFFF) || top > 0x10FFFF) {
                    valid = false;
                    break;
                }
            }
        }
        if (valid) {
            AppendUtf16(out, c);
            i += length;
        } else {
            AppendUtf16(out, kReplacement);
            i += taken;
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string ShortestText(double value) {
    if (std::isnan(value))
        return "nan";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace ostrafel::cli
