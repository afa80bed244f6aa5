// Gives a test its own process-wide format settings and puts the old ones back.
#pragma once

#include "FormatSettings.h"

namespace ostrafel::testing {

class FormatSettingsGuard {
  public:
    explicit FormatSettingsGuard(char16_t decimalSeparator) : FSaved(FormatSettings) {
        FormatSettings = TFormatSettings::Invariant();
        FormatSettings.DecimalSeparator = decimalSeparator;
    }
    ~FormatSettingsGuard() { FormatSettings = FSaved; }
    FormatSettingsGuard(const FormatSettingsGuard&) = delete;
    FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

  private:
    TFormatSettings FSaved;
};

} // namespace ostrafel::testing
