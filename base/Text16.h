// The core speaks UTF-16 as char16_t, the platform as wchar_t: on Windows both
// are the same code units, so a conversion is a copy.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the window layer needs 16-bit wchar_t");

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string ToUtf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}
