// Text between the encodings that the program meets on Windows: the core's
// UTF-16 (char16_t), the platform's wide strings (wchar_t, the same code units),
// UTF-8, the bytes of a code page, and the ASCII of URLs and header lines.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the window layer needs 16-bit wchar_t");

// The same code units: a copy.
inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string ToUtf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

// The bytes of a code page (CP_UTF8 included) as wide text; malformed bytes
// come out as U+FFFD, and a code page that the system does not know gives an
// empty text.
std::wstring CodePageToWide(unsigned codePage, std::string_view bytes);

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Each byte as the code unit of the same value (URLs and header lines are ASCII
// on the wire), and back: a code unit above U+00FF becomes '?'.
std::wstring Widen(std::string_view bytes);
std::string Narrow(std::wstring_view text);
