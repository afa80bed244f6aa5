// Where the decimal separator of read and written numbers comes from.
#pragma once

#include <string_view>

namespace ostrafel {

struct TFormatSettings {
    char16_t ThousandSeparator = u',';
    char16_t DecimalSeparator = u'.';

    // "." and ",", whatever the user's locale is.
    static TFormatSettings Invariant();
    // The separators of the calling thread's locale (an empty name is the only one
    // the program passes); "." and "," where the locale cannot tell them.
    static TFormatSettings Create(std::u16string_view localeName = {});
};

// The user's settings, under which every number shown to the user is written.
extern TFormatSettings FormatSettings;

// Fills FormatSettings from the thread locale (1033 when the thread has none).
void GetFormatSettings();

} // namespace ostrafel
