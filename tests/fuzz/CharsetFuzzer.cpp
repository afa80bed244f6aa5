// Any "Content-Type" value gives a character-set name or none, and any name a code page
// or none, without a crash; a name never spans a ";".
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Charset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::string> charset = ostrafel::ExtractCharset(text)) {
        if (charset->empty() || charset->find(';') != std::string::npos ||
            charset->find('=') != std::string::npos)
            std::abort();
        ostrafel::CodePageForCharset(*charset);
    }
    if (const std::optional<unsigned> codePage = ostrafel::CodePageForCharset(text))
        if (*codePage == 0 || *codePage > 65535)
            std::abort();
    return 0;
}
