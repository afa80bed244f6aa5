#include "NumberReading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ostrafel {
namespace {

// The extended values nearest to the powers of ten (tools/pow10_tables.py).
constexpr Extended Pow10Tab0[32] = {
    0x8000000000000000p-63L, // 1e0
    0xA000000000000000p-60L, // 1e1
    0xC800000000000000p-57L, // 1e2
    0xFA00000000000000p-54L, // 1e3
    0x9C40000000000000p-50L, // 1e4
    0xC350000000000000p-47L, // 1e5
    0xF424000000000000p-44L, // 1e6
    0x9896800000000000p-40L, // 1e7
    0xBEBC200000000000p-37L, // 1e8
    0xEE6B280000000000p-34L, // 1e9
    0x9502F90000000000p-30L, // 1e10
    0xBA43B74000000000p-27L, // 1e11
    0xE8D4A51000000000p-24L, // 1e12
    0x9184E72A00000000p-20L, // 1e13
    0xB5E620F480000000p-17L, // 1e14
    0xE35FA931A0000000p-14L, // 1e15
    0x8E1BC9BF04000000p-10L, // 1e16
    0xB1A2BC2EC5000000p-7L,  // 1e17
    0xDE0B6B3A76400000p-4L,  // 1e18
    0x8AC7230489E80000p+0L,  // 1e19
    0xAD78EBC5AC620000p+3L,  // 1e20
    0xD8D726B7177A8000p+6L,  // 1e21
    0x878678326EAC9000p+10L, // 1e22
    0xA968163F0A57B400p+13L, // 1e23
    0xD3C21BCECCEDA100p+16L, // 1e24
    0x84595161401484A0p+20L, // 1e25
    0xA56FA5B99019A5C8p+23L, // 1e26
    0xCECB8F27F4200F3Ap+26L, // 1e27
    0x813F3978F8940984p+30L, // 1e28
    0xA18F07D736B90BE5p+33L, // 1e29
    0xC9F2C9CD04674EDFp+36L, // 1e30
    0xFC6F7C4045812296p+39L, // 1e31
};
constexpr Extended Pow10Tab1[15] = {
    0x9DC5ADA82B70B59Ep+43L,   // 1e32
    0xC2781F49FFCFA6D5p+149L,  // 1e64
    0xEFB3AB16C59B14A3p+255L,  // 1e96
    0x93BA47C980E98CE0p+362L,  // 1e128
    0xB616A12B7FE617AAp+468L,  // 1e160
    0xE070F78D3927556Bp+574L,  // 1e192
    0x8A5296FFE33CC930p+681L,  // 1e224
    0xAA7EEBFB9DF9DE8Ep+787L,  // 1e256
    0xD226FC195C6A2F8Cp+893L,  // 1e288
    0x81842F29F2CCE376p+1000L, // 1e320
    0x9FA42700DB900AD2p+1106L, // 1e352
    0xC4C5E310AEF8AA17p+1212L, // 1e384
    0xF28A9C07E9B09C59p+1318L, // 1e416
    0x957A4AE1EBF7F3D4p+1425L, // 1e448
    0xB83ED8DC0795A262p+1531L, // 1e480
};
constexpr Extended Pow10Tab2[9] = {
    0xE319A0AEA60E91C7p+1637L,  // 1e512
    0xC976758681750C17p+3338L,  // 1e1024
    0xB2B8353B3993A7E4p+5039L,  // 1e1536
    0x9E8B3B5DC53D5DE5p+6740L,  // 1e2048
    0x8CA554C020A1F0A6p+8441L,  // 1e2560
    0xF9895D25D88B5A8Bp+10141L, // 1e3072
    0xDD5DC8A2BF27F3F8p+11842L, // 1e3584
    0xC46052028A20979Bp+13543L, // 1e4096
    0xAE3511626ED559F0p+15244L, // 1e4608
};

constexpr bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// 0 to 15, or -1 for a character that is no hexadecimal digit.
constexpr int HexDigitValue(char16_t c) {
    if (IsDigit(c))
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Reading stops at the first U+0000, as the edit boxes end their texts there.
std::u16string_view ReadablePart(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

// The special words, compared with "a" to "z" folded to upper case only.
bool ReadSpecialWord(std::u16string_view word, Extended& value) {
    char16_t upper[5] = {};
    if (word.size() > 4)
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        upper[i] = word[i] >= u'a' && word[i] <= u'z' ? char16_t(word[i] - u'a' + u'A') : word[i];
    const std::u16string_view folded(upper, word.size());
    if (folded == u"NAN")
        value = std::numeric_limits<Extended>::quiet_NaN();
    else if (folded == u"INF" || folded == u"+INF")
        value = std::numeric_limits<Extended>::infinity();
    else if (folded == u"-INF")
        value = -std::numeric_limits<Extended>::infinity();
    else
        return false;
    return true;
}

// Pow10 for callers that already hold an ExtendedPrecisionScope.
Extended ScaleUnderScope(Extended x, int n) {
    if (n == 0)
        return x;
    if (n <= -5120)
        return 0;
    // Reading never scales beyond the tables; for direct calls that do, 10^4608 is applied
    // as often as needed, and 10^9900 overflows every nonzero extended value anyway.
    n = std::min(n, 9900);
    const bool up = n > 0;
    const unsigned m = static_cast<unsigned>(up ? n : -n);
    auto scale = [&](Extended factor) { x = up ? x * factor : x / factor; };
    scale(Pow10Tab0[m % 32]);
    if (const unsigned k = (m / 32) % 16; k != 0)
        scale(Pow10Tab1[k - 1]);
    if (unsigned k = m / 512; k != 0) {
        for (; k > 9; k -= 9)
            scale(Pow10Tab2[8]);
        scale(Pow10Tab2[k - 1]);
    }
    return x;
}

// The digits of the number: A = A * 10 + digit, each step rounded to 64 bits. While A
// fits 64 bits every step is exact, so the integer accumulator gives the same bits.
class DigitAccumulator {
  public:
    void Add(unsigned digit) {
        if (FInExtended) {
            FExtended = FExtended * 10;
            FExtended = FExtended + static_cast<Extended>(digit);
        } else if (FInteger <= kLastExact) {
            FInteger = FInteger * 10 + digit;
        } else {
            FInExtended = true;
            FExtended = static_cast<Extended>(FInteger);
            Add(digit);
        }
    }
    Extended Value() const { return FInExtended ? FExtended : static_cast<Extended>(FInteger); }

  private:
    static constexpr std::uint64_t kLastExact =
        (std::numeric_limits<std::uint64_t>::max() - 9) / 10;
    std::uint64_t FInteger = 0;
    Extended FExtended = 0;
    bool FInExtended = false;
};

// TextToFloat's reading; runs under an ExtendedPrecisionScope.
bool ReadUnderScope(std::u16string_view whole, Extended& value, char16_t sep) {
    const std::u16string_view text = ReadablePart(whole);
    const std::size_t end = text.size();
    std::size_t i = text.find_first_not_of(u' ');
    if (i == std::u16string_view::npos)
        i = end;
    const std::size_t wordStart = i;

    const bool negative = i < end && text[i] == u'-';
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;

    DigitAccumulator digits;
    const std::size_t integerStart = i;
    for (; i < end && IsDigit(text[i]); ++i)
        digits.Add(text[i] - u'0');
    const std::size_t integerDigits = i - integerStart;
    std::size_t fractionDigits = 0;
    if (i < end && text[i] == sep) {
        const std::size_t fractionStart = ++i;
        for (; i < end && IsDigit(text[i]); ++i)
            digits.Add(text[i] - u'0');
        fractionDigits = i - fractionStart;
    }
    if (integerDigits + fractionDigits == 0)
        return ReadSpecialWord(text.substr(wordStart), value);

    int exponent = 0;
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        const bool exponentNegative = i < end && text[i] == u'-';
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const std::size_t exponentStart = i;
        // The exponent stops growing at 500 and leaves any further digit unread, which
        // makes the text no number: "1e-5000" is false rather than zero.
        for (; i < end && IsDigit(text[i]) && exponent < 500; ++i)
            exponent = exponent * 10 + (text[i] - u'0');
        if (i == exponentStart)
            return ReadSpecialWord(text.substr(wordStart), value);
        if (exponentNegative)
            exponent = -exponent;
    }
    while (i < end && text[i] == u' ')
        ++i;
    if (i != end)
        return ReadSpecialWord(text.substr(wordStart), value);

    const Extended accumulated = digits.Value();
    constexpr Extended kLargest = std::numeric_limits<Extended>::max();
    if (accumulated > kLargest) // so many digits that the accumulator overflowed
        return false;
    // F can exceed any int for absurd texts; everything below -5120 scales to zero alike.
    const auto power = std::max<std::int64_t>(
        exponent - static_cast<std::int64_t>(std::min<std::size_t>(fractionDigits, 10000)), -5120);
    Extended x = ScaleUnderScope(accumulated, static_cast<int>(power));
    if (x > kLargest)
        return false;
    value = negative ? -x : x;
    return true;
}

// A reading handed out of the scope as one value, written to the caller only on success.
template <class Number> struct Reading {
    bool Ok = false;
    Number Value = 0;

    bool HandOut(Number& out) const {
        if (Ok)
            out = Value;
        return Ok;
    }
};

Reading<Extended> ReadExtended(std::u16string_view text, char16_t sep) {
    Reading<Extended> reading;
    reading.Ok = ReadUnderScope(text, reading.Value, sep);
    return reading;
}

Reading<double> ReadDouble(std::u16string_view text, char16_t sep) {
    Reading<double> reading;
    Extended x;
    if (!ReadUnderScope(text, x, sep))
        return reading;
    // Compared before rounding: 1.7976931348623158e308 would round down to the largest
    // double, yet it lies beyond it.
    constexpr Extended kLargestDouble = std::numeric_limits<double>::max();
    if (std::isfinite(x) && std::fabs(x) > kLargestDouble)
        return reading;
    reading.Ok = true;
    reading.Value = static_cast<double>(x);
    return reading;
}

} // namespace

std::u16string Trim(std::u16string_view text) {
    auto isBlank = [](char16_t c) { return c <= u' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isBlank);
    return std::u16string(first, last.base());
}

Extended Pow10InScope(Extended x, int n) {
    return ScaleUnderScope(x, n);
}

Extended Pow10(Extended x, int n) {
    return InExtendedPrecision(ScaleUnderScope, x, n);
}

bool TextToFloat(std::u16string_view text, Extended& value, const TFormatSettings& settings) {
    return InExtendedPrecision(ReadExtended, text, settings.DecimalSeparator).HandOut(value);
}

bool TryStrToFloat(std::u16string_view text, double& value, const TFormatSettings& settings) {
    return InExtendedPrecision(ReadDouble, text, settings.DecimalSeparator).HandOut(value);
}

int StrToIntDef(std::u16string_view whole, int defaultValue) {
    const std::u16string_view text = ReadablePart(whole);
    const std::size_t end = text.size();
    std::size_t i = 0;
    while (i < end && text[i] == u' ')
        ++i;
    const bool negative = i < end && text[i] == u'-';
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;

    const bool zeroX =
        i + 1 < end && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X');
    const bool hex = zeroX || (i < end && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X'));
    if (hex)
        i += zeroX ? 2 : 1;
    if (i == end)
        return defaultValue;

    std::uint32_t value = 0;
    for (; i < end; ++i) {
        const int digit = hex ? HexDigitValue(text[i]) : (IsDigit(text[i]) ? text[i] - u'0' : -1);
        if (digit < 0 || value > (hex ? 0x0FFFFFFFu : 214748364u))
            return defaultValue;
        value = value * (hex ? 16u : 10u) + static_cast<std::uint32_t>(digit);
    }
    // Hexadecimal numbers are 32-bit patterns ("$FFFFFFFF" is -1); decimal ones must fit.
    if (!hex && value > (negative ? 2147483648u : 2147483647u))
        return defaultValue;
    return static_cast<int>(negative ? 0u - value : value);
}

} // namespace ostrafel
