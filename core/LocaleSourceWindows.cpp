// The user's regional settings on Windows: the calling thread's locale.
#include "LocaleSource.h"

#include <windows.h>

namespace ostrafel {
namespace {

constexpr LCID kEnglishUnitedStates =
    MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

std::optional<std::u16string> QueryValue(LCID locale, LCTYPE type) {
    // Room for two characters and the terminator: a longer value fails.
    wchar_t buffer[3] = {};
    const int length = GetLocaleInfoW(locale, type, buffer, 3);
    if (length <= 0)
        return std::nullopt;
    return std::u16string(buffer, buffer + (length - 1));
}

LocaleSeparatorValues ValuesOf(LCID locale) {
    if (!IsValidLocale(locale, LCID_INSTALLED))
        locale = GetThreadLocale();
    return {QueryValue(locale, LOCALE_SDECIMAL), QueryValue(locale, LOCALE_STHOUSAND)};
}

} // namespace

LocaleSeparatorValues ReadLocaleSeparators(std::u16string_view localeName) {
    LCID locale = GetThreadLocale();
    if (!localeName.empty()) {
        const std::wstring name(localeName.begin(), localeName.end());
        if (const LCID named = LocaleNameToLCID(name.c_str(), 0); named != 0)
            locale = named;
    }
    return ValuesOf(locale);
}

LocaleSeparatorValues ReadDefaultLocaleSeparators() {
    const LCID thread = GetThreadLocale();
    return ValuesOf(thread != 0 ? thread : kEnglishUnitedStates);
}

} // namespace ostrafel
