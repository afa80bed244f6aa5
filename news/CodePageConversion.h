// Conversion of bytes in a code page to UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrafel {

// UTF-16 is converted here; every other code page by the platform. Bytes that are
// invalid in the code page become U+FFFD. Fails for a code page the platform lacks.
std::optional<std::u16string> BytesToUtf16(unsigned codePage, std::string_view bytes);

// The platform's part of BytesToUtf16 (MultiByteToWideChar on Windows).
std::optional<std::u16string> PlatformBytesToUtf16(unsigned codePage, std::string_view bytes);

} // namespace ostrafel
