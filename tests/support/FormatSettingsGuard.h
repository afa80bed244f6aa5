// Gives a test its own process-wide format settings and puts the old ones back.
#pragma once

#include "FormatSettings.h"

namespace ostrafel::testing {

class FormatSettingsGuard {
  public:
    explicit FormatSettingsGuard(char16_t decimalSeparator) : saved_(FormatSettings) {
        FormatSettings = TFormatSettings::Invariant();
        FormatSettings.DecimalSeparator = decimalSeparator;
    }
    ~FormatSettingsGuard() { FormatSettings = saved_; }
    FormatSettingsGuard(const FormatSettingsGuard&) = delete;
    FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

  private:
    TFormatSettings saved_;
};

} // namespace ostrafel::testing
