// Writing numbers as the window shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "FloatEnvironment.h"
#include "FormatSettings.h"

namespace ostrafel {

struct TFloatRec {
    std::int16_t Exponent = 0; // 32767: infinity, -32768: not-a-number
    bool Negative = false;
    char Digits[21] = {};      // up to 18 digits, then '\0'
};

void FloatToDecimal(TFloatRec& rec, Extended value, int Precision, int Decimals);

// General form, at most 15 significant digits: "12.5", "1E15", "INF".
std::u16string FloatToStr(Extended value, const TFormatSettings& settings);

// Only the pattern "0.00" is supported: "3.13", "1234.50", "1E18".
std::u16string FormatFloat(std::u16string_view pattern, Extended value,
                           const TFormatSettings& settings);

std::u16string IntToStr(int value);

} // namespace ostrafel
