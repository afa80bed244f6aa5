#include "FormatSettings.h"

#include "LocaleSource.h"

namespace ostrafel {

TFormatSettings FormatSettings;

char16_t SeparatorFromLocaleValue(const std::optional<std::u16string>& value, char16_t fallback) {
    // An empty separator would vanish from written numbers and match nothing in read ones.
    if (!value || value->empty() || value->size() >= 3)
        return fallback;
    return value->front();
}

TFormatSettings SettingsFromLocaleValues(const LocaleSeparatorValues& values) {
    TFormatSettings settings;
    settings.ThousandSeparator = SeparatorFromLocaleValue(values.Thousand, u',');
    settings.DecimalSeparator = SeparatorFromLocaleValue(values.Decimal, u'.');
    return settings;
}

TFormatSettings TFormatSettings::Invariant() {
    return TFormatSettings{u',', u'.'};
}

TFormatSettings TFormatSettings::Create(std::u16string_view localeName) {
    return SettingsFromLocaleValues(ReadLocaleSeparators(localeName));
}

void GetFormatSettings() {
    FormatSettings = SettingsFromLocaleValues(ReadDefaultLocaleSeparators());
}

} // namespace ostrafel
