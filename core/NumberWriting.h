// Writing numbers as the window shows them.
//
// The writers take extended values (doubles convert exactly), read only
// settings.DecimalSeparator, never write a digit-group separator and never fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "FloatEnvironment.h"
#include "FormatSettings.h"

namespace ostrafel {

// A number as decimal digits: value = 0.Digits * 10^Exponent.
struct TFloatRec {
    std::int16_t Exponent = 0; // 32767: infinity, -32768: not-a-number
    bool Negative = false;     // false for zero, for a value rounded to zero, for NaN
    char Digits[21] = {};      // up to 18 digits, no leading or trailing "0", then '\0'
};

// Develops 18 working digits of value (scaled in extended precision, nearest integer)
// and keeps precision (at most 18) significant digits, or fewer so that no digit lies
// more than decimals places after the point, rounding half away from zero on the
// working digits. 1607.933372928155 with (15, 9999) -> "160793337292816", Exponent 4;
// 0.004 with (18, 2) -> no digits.
void FloatToDecimal(TFloatRec& rec, Extended value, int Precision, int Decimals);

// FloatToDecimal's digits under the caller's x87 state, for code that already holds an
// ExtendedPrecisionScope. Under any other state the digits may be wrong, but the record
// keeps its shape: at most 18 digits "0" to "9", no leading or trailing "0".
TFloatRec FloatToDecimalInScope(Extended value, int precision, int decimals);

// General form with at most 15 significant digits: 12.5 -> "12.5", 1/3 ->
// "0.333333333333333", 0.0001 -> "0.0001", 0.00001 -> "1E-5", 1e15 -> "1E15",
// -0.0 -> "0", infinities and NaN -> "INF", "-INF", "NAN".
std::u16string FloatToStr(Extended value, const TFormatSettings& settings);

// Exactly two decimals for the pattern "0.00", the only one the program uses:
// 3.125 -> "3.13", 2.675 -> "2.67" (the double lies below the half), -0.004 -> "0.00",
// 1234.5 -> "1234.50"; from 1e18 on, and for infinities and NaN, the FloatToStr text.
// Any other pattern gives the FloatToStr text.
std::u16string FormatFloat(std::u16string_view pattern, Extended value,
                           const TFormatSettings& settings);

// "150", "-5", "-2147483648".
std::u16string IntToStr(int value);

} // namespace ostrafel
