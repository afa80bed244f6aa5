// Reading numbers from the texts that the user types.
//
// Every reader looks at its text up to the end or up to the first U+0000, whichever
// comes first. Only "0" to "9" are digits; only U+0020 is skipped around a number.
#pragma once

#include <string>
#include <string_view>

#include "FloatEnvironment.h"
#include "FormatSettings.h"

namespace ostrafel {

// Removes every character up to U+0020 (spaces, tabs, CR, LF, U+0000...) from both
// ends; the interior and U+00A0 stay. "  12 \r\n" -> "12", " \t " -> "".
std::u16string Trim(std::u16string_view text);

// X * 10^N in extended precision: X is multiplied (or divided, for N < 0) by 10^(N mod 32),
// then by 10^(32k) and by 10^(512k) from the power tables, each step rounded to 64 bits.
// N <= -5120 gives zero. Pow10(1.5, 2) -> 150.
Extended Pow10(Extended x, int n);

// Pow10 for code that already holds an ExtendedPrecisionScope.
Extended Pow10InScope(Extended x, int n);

// The reading step of TryStrToFloat: the decimal number with its sign, the digits
// accumulated and scaled in extended precision, or one of the words "NAN", "INF",
// "+INF", "-INF" (any case). value is written only on success. False for no number and
// for a number whose extended value overflows ("1e5000" is no number: the exponent
// stops at 500 and leaves a digit unread).
bool TextToFloat(std::u16string_view text, Extended& value, const TFormatSettings& settings);

// Reads a decimal number under settings.DecimalSeparator (the only field read):
//   "12.5" -> 12.5, " -0 " -> -0.0, ".5" -> 0.5, "5." -> 5, "1E+3" -> 1000,
//   "1e-400" -> 0, "inf" -> +infinity, "NaN" -> not-a-number.
// The text is rounded to 64 bits and then to a double, so a few texts do not give the
// nearest double: "5.0192272" -> 5.019227199999999555757312919013202190399169921875.
// False, with value untouched, for:
//   - no digit: "", "+", ".";
//   - anything but spaces around the number: tabs, "1,000" under ".", "1 000", "0x10",
//     "--5", non-ASCII digits;
//   - an exponent without digits ("1e") or with more than needed to reach 500 ("0e5000");
//   - a value beyond the largest double: "1.8e308", even "1.7976931348623158e308";
//   - words other than the four above: "INFINITY", "INF ", "+NAN".
bool TryStrToFloat(std::u16string_view text, double& value, const TFormatSettings& settings);

// Reads a 32-bit integer, or gives defaultValue: "150", " +150", "007", "-2147483648";
// hexadecimal after "$", "x", "X", "0x" or "0X" as a 32-bit pattern: "$96" -> 150,
// "$FFFFFFFF" -> -1, "-$1" -> -1. Default for an empty text, any other character
// (a trailing space, "%", "1.5"), a sign or marker without digits, a decimal number
// outside the int range and a hexadecimal one of more than 32 bits.
int StrToIntDef(std::u16string_view text, int Default);

} // namespace ostrafel
