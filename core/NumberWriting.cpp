#include "NumberWriting.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "NumberReading.h"

namespace ostrafel {
namespace {

constexpr std::int16_t kInfinityExponent = 32767;
constexpr std::int16_t kNaNExponent = -32768;
constexpr int kWorkingDigits = 18;
constexpr std::uint64_t kTenPow18 = 1000000000000000000u;

// The fields of an x87 extended value; a finite one is Significand * 2^Scale().
struct ExtendedBits {
    std::uint64_t Significand;
    int BiasedExponent;
    bool Negative;

    int Scale() const { return std::max(BiasedExponent, 1) - 16383 - 63; }
};

ExtendedBits BitsOf(Extended x) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &x, sizeof x);
    ExtendedBits bits{};
    std::uint16_t top = 0;
    std::memcpy(&bits.Significand, bytes, sizeof bits.Significand);
    std::memcpy(&top, bytes + sizeof bits.Significand, sizeof top);
    bits.BiasedExponent = top & 0x7FFF;
    bits.Negative = (top & 0x8000) != 0;
    return bits;
}

// The integer nearest to y (0 <= y < 2^64), ties to even, from its bits alone.
std::uint64_t NearestInteger(Extended y) {
    const ExtendedBits bits = BitsOf(y);
    const int shift = -bits.Scale();
    if (shift <= 0)
        return shift == 0 ? bits.Significand : UINT64_MAX;
    if (shift >= 64)
        return shift == 64 && bits.Significand > (std::uint64_t{1} << 63) ? 1 : 0;
    const std::uint64_t whole = bits.Significand >> shift;
    const std::uint64_t rest = bits.Significand & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return whole + (rest > half || (rest == half && (whole & 1) != 0) ? 1 : 0);
}

} // namespace

TFloatRec FloatToDecimalInScope(Extended value, int precision, int decimals) {
    TFloatRec rec;
    const ExtendedBits bits = BitsOf(value);
    const bool integerBit = (bits.Significand >> 63) != 0;
    if (bits.BiasedExponent == 0x7FFF && bits.Significand == std::uint64_t{1} << 63) {
        rec.Exponent = kInfinityExponent;
        rec.Negative = bits.Negative;
        return rec;
    }
    // NaNs, and the encodings that the x87 refuses as operands.
    if (bits.BiasedExponent == 0x7FFF || (bits.BiasedExponent != 0 && !integerBit)) {
        rec.Exponent = kNaNExponent;
        return rec;
    }
    if (bits.Significand == 0)
        return rec;

    const Extended magnitude = bits.Negative ? -value : value;
    const int e2 = 63 - std::countl_zero(bits.Significand) + bits.Scale();
    // 19728 / 65536 is just above log10(2); the shift rounds toward minus infinity.
    int e = ((e2 * 19728) >> 16) + 1;
    if (magnitude < Pow10InScope(1, e - 1))
        --e;
    std::uint64_t working = NearestInteger(Pow10InScope(magnitude, kWorkingDigits - e));
    if (working >= kTenPow18) {
        const std::uint64_t tenth = working / 10;
        const std::uint64_t rest = working % 10;
        working = tenth + (rest > 5 || (rest == 5 && (tenth & 1) != 0) ? 1 : 0);
        ++e;
    }
    // Under 64-bit precision and rounding to nearest the working number has exactly 18
    // digits. Another x87 state (a caller without the scope) may give fewer, or more: the
    // digits may then be wrong, but they stay these 18, and the first is not "0".
    working = std::min(working, kTenPow18 - 1);
    char digits[kWorkingDigits];
    for (int i = kWorkingDigits - 1; i >= 0; --i, working /= 10)
        digits[i] = static_cast<char>('0' + working % 10);
    const auto first =
        std::find_if(digits, digits + kWorkingDigits, [](char d) { return d != '0'; });
    if (first == digits + kWorkingDigits)
        return rec;
    e -= static_cast<int>(first - digits);
    std::rotate(digits, first, digits + kWorkingDigits);

    const long long firstDropped = static_cast<long long>(e) + decimals;
    if (firstDropped < 0)
        return rec; // rounds to zero
    int count = static_cast<int>(std::min<long long>(firstDropped, std::clamp(precision, 0, 18)));
    // Half away from zero, decided on the working digits alone.
    if (count < kWorkingDigits && digits[count] >= '5') {
        int i = count - 1;
        while (i >= 0 && digits[i] == '9')
            --i;
        if (i >= 0) {
            ++digits[i];
            count = i + 1;
        } else {
            digits[0] = '1';
            count = 1;
            ++e;
        }
    }
    while (count > 0 && digits[count - 1] == '0')
        --count;
    std::memcpy(rec.Digits, digits, static_cast<std::size_t>(count));
    rec.Exponent = static_cast<std::int16_t>(e);
    rec.Negative = count > 0 && bits.Negative;
    return rec;
}

namespace {

// Collects a short number text without touching the heap until it is finished.
class NumberText {
  public:
    // The longest number text has 23 characters ("-1.23456789012345E-4951"); anything
    // beyond the buffer would be a fault of the writer, and is dropped.
    void Add(char16_t c) {
        if (FLength < std::size(FText))
            FText[FLength++] = c;
    }
    void AddUnsigned(std::uint32_t n) {
        char16_t reversed[10];
        int count = 0;
        do {
            reversed[count++] = static_cast<char16_t>(u'0' + n % 10);
            n /= 10;
        } while (n != 0);
        while (count > 0)
            Add(reversed[--count]);
    }
    std::u16string Text() const { return std::u16string(FText, FLength); }

  private:
    char16_t FText[40];
    std::size_t FLength = 0;
};

// The digits of a record, with "0" wherever the value has no digit of its own.
class RecordDigits {
  public:
    explicit RecordDigits(const TFloatRec& rec) : FDigits(rec.Digits) {}
    int Count() const { return static_cast<int>(FDigits.size()); }
    char16_t At(int index) const {
        return index >= 0 && index < Count() ? static_cast<char16_t>(FDigits[index]) : u'0';
    }
    void AddRange(NumberText& out, int from, int to) const {
        for (int i = from; i < to; ++i)
            out.Add(At(i));
    }

  private:
    std::string_view FDigits;
};

std::u16string GeneralText(const TFloatRec& rec, char16_t sep) {
    if (rec.Exponent == kInfinityExponent)
        return rec.Negative ? u"-INF" : u"INF";
    if (rec.Exponent == kNaNExponent)
        return u"NAN";
    const RecordDigits digits(rec);
    if (digits.Count() == 0)
        return u"0";
    NumberText out;
    if (rec.Negative)
        out.Add(u'-');
    const int e = rec.Exponent;
    if (e >= 1 && e <= 15) {
        digits.AddRange(out, 0, e);
        if (digits.Count() > e) {
            out.Add(sep);
            digits.AddRange(out, e, digits.Count());
        }
    } else if (e >= -3 && e <= 0) {
        out.Add(u'0');
        out.Add(sep);
        digits.AddRange(out, e, digits.Count());
    } else {
        out.Add(digits.At(0));
        if (digits.Count() > 1) {
            out.Add(sep);
            digits.AddRange(out, 1, digits.Count());
        }
        out.Add(u'E');
        if (e - 1 < 0)
            out.Add(u'-');
        out.AddUnsigned(static_cast<std::uint32_t>(e - 1 < 0 ? 1 - e : e - 1));
    }
    return out.Text();
}

} // namespace

void FloatToDecimal(TFloatRec& rec, Extended value, int precision, int decimals) {
    rec = InExtendedPrecision(FloatToDecimalInScope, value, precision, decimals);
}

std::u16string FloatToStr(Extended value, const TFormatSettings& settings) {
    TFloatRec rec;
    FloatToDecimal(rec, value, 15, 9999);
    return GeneralText(rec, settings.DecimalSeparator);
}

std::u16string FormatFloat(std::u16string_view pattern, Extended value,
                           const TFormatSettings& settings) {
    if (pattern != u"0.00")
        return FloatToStr(value, settings);
    TFloatRec rec;
    FloatToDecimal(rec, value, 18, 2);
    const int e = rec.Exponent;
    if (e == kInfinityExponent || e == kNaNExponent || e > 18)
        return FloatToStr(value, settings);
    const RecordDigits digits(rec);
    NumberText out;
    // Negative is false for a value that rounds to zero: "-0.004" gives "0.00".
    if (rec.Negative)
        out.Add(u'-');
    if (digits.Count() > 0 && e > 0)
        digits.AddRange(out, 0, e);
    else
        out.Add(u'0');
    out.Add(settings.DecimalSeparator);
    digits.AddRange(out, e, e + 2);
    return out.Text();
}

std::u16string IntToStr(int value) {
    NumberText out;
    const auto magnitude = static_cast<std::uint32_t>(value);
    if (value < 0)
        out.Add(u'-');
    out.AddUnsigned(value < 0 ? 0u - magnitude : magnitude);
    return out.Text();
}

} // namespace ostrafel
