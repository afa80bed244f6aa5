// What the format settings need from the platform: the separator values of a locale.
//
// LocaleSourceWindows.cpp asks the Windows locale services, LocaleSourcePosix.cpp the
// LC_NUMERIC locale of the user's environment; nothing else in the core knows either.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "FormatSettings.h"

namespace ostrafel {

// A locale's separators as UTF-16 texts, without terminator; empty where the platform
// could not answer (on Windows a value of three or more characters is such a failure).
struct LocaleSeparatorValues {
    std::optional<std::u16string> Decimal;
    std::optional<std::u16string> Thousand;
};

// The values of the named locale; an empty or unknown name means the calling thread's
// locale, which is the user's regional settings.
LocaleSeparatorValues ReadLocaleSeparators(std::u16string_view localeName);

// The values for the process-wide settings: the thread's locale, or English (United
// States) when the thread reports none.
LocaleSeparatorValues ReadDefaultLocaleSeparators();

// The separator that a locale value gives: its first character when the value fits a
// buffer of three characters with its terminator, else fallback. A missing value, an
// empty one and one of three or more characters give fallback: u"," -> ',', u"\u066B"
// -> U+066B, u"abc" -> fallback.
char16_t SeparatorFromLocaleValue(const std::optional<std::u16string>& value, char16_t fallback);

// The settings that a locale's values give, each separator defaulting as above.
TFormatSettings SettingsFromLocaleValues(const LocaleSeparatorValues& values);

} // namespace ostrafel
