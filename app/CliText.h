// Text at the console front end's boundary: UTF-8 outside, UTF-16 inside.
#pragma once

#include <string>
#include <string_view>

namespace ostrafel::cli {

// Invalid or truncated UTF-8 sequences become U+FFFD, one per maximal bad subpart.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// The shortest decimal text that reads back to the same double:
// "22", "20.36", "1e+100", "inf", "-inf", "nan".
std::string ShortestText(double value);

} // namespace ostrafel::cli
