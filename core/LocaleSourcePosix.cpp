// The user's regional settings on POSIX systems: the LC_NUMERIC locale that the
// environment chooses (LC_ALL, then LC_NUMERIC, then LANG).
#include "LocaleSource.h"

#include <cstdlib>
#include <cstring>
#include <cuchar>
#include <initializer_list>
#include <langinfo.h>
#include <locale.h>

namespace ostrafel {
namespace {

// Owns a locale object holding the numeric formats of a locale and the character
// encoding they are written in.
class NumericLocale {
  public:
    explicit NumericLocale(const std::string& name)
        : FHandle(newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name.c_str(), locale_t{})) {}
    ~NumericLocale() {
        if (FHandle != locale_t{})
            freelocale(FHandle);
    }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;

    bool Valid() const { return FHandle != locale_t{}; }
    locale_t Get() const { return FHandle; }

  private:
    locale_t FHandle;
};

// Makes a locale the calling thread's one for the lifetime of the object.
class ThreadLocaleSwitch {
  public:
    explicit ThreadLocaleSwitch(locale_t locale) : FPrevious(uselocale(locale)) {}
    ~ThreadLocaleSwitch() { uselocale(FPrevious); }
    ThreadLocaleSwitch(const ThreadLocaleSwitch&) = delete;
    ThreadLocaleSwitch& operator=(const ThreadLocaleSwitch&) = delete;

  private:
    locale_t FPrevious;
};

std::string UserNumericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0')
            return value;
    return "C";
}

// Locale names are ASCII; anything else names no locale.
std::string AsciiName(std::u16string_view name) {
    std::string ascii;
    for (const char16_t c : name) {
        if (c == 0 || c > 0x7F)
            return {};
        ascii += static_cast<char>(c);
    }
    return ascii;
}

// The value in UTF-16, decoded from the locale's own encoding; empty when it does not
// decode.
std::optional<std::u16string> DecodeValue(const char* value, locale_t locale) {
    const ThreadLocaleSwitch use(locale);
    std::u16string decoded;
    std::mbstate_t state{};
    const char* next = value;
    const char* const end = value + std::strlen(value);
    while (next < end || !std::mbsinit(&state)) {
        char16_t unit = 0;
        const std::size_t used =
            std::mbrtoc16(&unit, next, static_cast<std::size_t>(end - next), &state);
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2) ||
            used == 0)
            return std::nullopt;
        decoded += unit;
        if (used != static_cast<std::size_t>(-3)) // -3: the second half of a surrogate pair
            next += used;
    }
    return decoded;
}

LocaleSeparatorValues ValuesOf(const NumericLocale& locale) {
    return {DecodeValue(nl_langinfo_l(RADIXCHAR, locale.Get()), locale.Get()),
            DecodeValue(nl_langinfo_l(THOUSEP, locale.Get()), locale.Get())};
}

} // namespace

LocaleSeparatorValues ReadLocaleSeparators(std::u16string_view localeName) {
    if (const std::string name = AsciiName(localeName); !name.empty()) {
        if (const NumericLocale named(name); named.Valid())
            return ValuesOf(named);
    }
    if (const NumericLocale user(UserNumericLocaleName()); user.Valid())
        return ValuesOf(user);
    // A user locale that is not installed counts as the C locale, as for setlocale.
    return ValuesOf(NumericLocale("C"));
}

// The C locale that stands in for a missing user locale answers like English (United
// States): "." and no digit-group separator, which becomes ",".
LocaleSeparatorValues ReadDefaultLocaleSeparators() {
    return ReadLocaleSeparators({});
}

} // namespace ostrafel
