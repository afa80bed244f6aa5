// Reading numbers: expected bits come from exact arithmetic (tools/number_model.py
// models every extended rounding step), not from the code under test.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FloatTesting.h"
#include "NumberReading.h"

namespace ostrafel {
namespace {

using testing::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();

::testing::AssertionResult SameExtended(Extended actual, Extended expected) {
    if (actual == expected || (actual != actual && expected != expected))
        return ::testing::AssertionSuccess();
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "got %La, expected %La", actual, expected);
    return ::testing::AssertionFailure() << buffer;
}

// What TryStrToFloat gives for a text: false, a value, or not-a-number.
struct Reading {
    enum class Kind { False, Value, NaN } kind;
    double value;
};
constexpr Reading kNo{Reading::Kind::False, 0};
constexpr Reading kNotANumber{Reading::Kind::NaN, 0};
constexpr Reading Is(double value) {
    return {Reading::Kind::Value, value};
}
constexpr Reading Bits(std::uint64_t bits) {
    return {Reading::Kind::Value, std::bit_cast<double>(bits)};
}

struct ReadCase {
    std::u16string_view text;
    Reading invariant; // DecimalSeparator "."
    Reading comma;     // DecimalSeparator ","
};

TFormatSettings Comma() {
    TFormatSettings settings = TFormatSettings::Invariant();
    settings.DecimalSeparator = u',';
    return settings;
}

std::string Printable(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out.size() > 80 ? out.substr(0, 80) + "..." : out;
}

// The value that a false result must leave in place.
constexpr double kUntouched = -123.0625;

void ExpectReading(std::u16string_view text, const TFormatSettings& settings, Reading expected) {
    SCOPED_TRACE("text \"" + Printable(text) + "\", separator " +
                 static_cast<char>(settings.DecimalSeparator));
    double value = kUntouched;
    const bool ok = TryStrToFloat(text, value, settings);
    switch (expected.kind) {
    case Reading::Kind::False:
        EXPECT_FALSE(ok);
        EXPECT_TRUE(SameBits(value, kUntouched)) << "a false result changed value";
        break;
    case Reading::Kind::NaN:
        EXPECT_TRUE(ok);
        EXPECT_TRUE(std::isnan(value)) << testing::HexFloat(value);
        break;
    case Reading::Kind::Value:
        EXPECT_TRUE(ok);
        EXPECT_TRUE(SameBits(value, expected.value));
        break;
    }
}

void ExpectReadings(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) {
        ExpectReading(c.text, TFormatSettings::Invariant(), c.invariant);
        ExpectReading(c.text, Comma(), c.comma);
    }
}

TEST(TryStrToFloat, SeparatorsAndSigns) {
    ExpectReadings({
        {u"12.5", Is(12.5), kNo},
        {u"12,5", kNo, Is(12.5)},
        {u" 12.5 ", Is(12.5), kNo},
        {u"   7", Is(7), Is(7)},
        {u".5", Is(0.5), kNo},
        {u",5", kNo, Is(0.5)},
        {u"5.", Is(5), kNo},
        {u"5,", kNo, Is(5)},
        {u".", kNo, kNo},
        {u",", kNo, kNo},
        {u"", kNo, kNo},
        {u" ", kNo, kNo},
        {u"+", kNo, kNo},
        {u"-", kNo, kNo},
        {u"+.", kNo, kNo},
        {u"-,", kNo, kNo},
        {u"-0", Is(-0.0), Is(-0.0)},
        {u"-0.0", Is(-0.0), kNo},
        {u"+7", Is(7), Is(7)},
        {u"007", Is(7), Is(7)},
        {u"-2.5", Is(-2.5), kNo},
        {u"--5", kNo, kNo},
        {u"+-5", kNo, kNo},
        {u"- 5", kNo, kNo},
        {u"5-", kNo, kNo},
        {u"1.2.3", kNo, kNo},
        {u"1,2,3", kNo, kNo},
        {u"\t5", kNo, kNo},
        {u"5\t", kNo, kNo},
        {u"5\r\n", kNo, kNo},
        {u"\u00A05", kNo, kNo},
        // A comma is never a digit-group separator.
        {u"1,000", kNo, Is(1)},
        {u"1 000", kNo, kNo},
        {u"1.000,5", kNo, kNo},
        {u"1,000.5", kNo, kNo},
    });
}

TEST(TryStrToFloat, Exponents) {
    ExpectReadings({
        {u"1e3", Is(1000), Is(1000)},
        {u"1E+3", Is(1000), Is(1000)},
        {u"2.5E-1", Is(0.25), kNo},
        {u"1,5e2", kNo, Is(150)},
        {u"1E0005", Is(100000), Is(100000)},
        {u".5e1", Is(5), kNo},
        {u"5.e1", Is(50), kNo},
        {u"1e", kNo, kNo},
        {u"1e+", kNo, kNo},
        {u"1e-", kNo, kNo},
        {u"e3", kNo, kNo},
        {u".e3", kNo, kNo},
        {u"1 e3", kNo, kNo},
        {u"1e 3", kNo, kNo},
        {u"1e3 ", Is(1000), Is(1000)},
        {u"1e+-3", kNo, kNo},
        {u"1e3.5", kNo, kNo},
        {u"1d3", kNo, kNo},
    });
}

TEST(TryStrToFloat, NoOtherNotations) {
    ExpectReadings({
        {u"0x10", kNo, kNo},
        {u"$10", kNo, kNo},
        {u"\u06F1\u06F2", kNo, kNo}, // Persian digits
        {u"\u0661\u0662", kNo, kNo}, // Arabic-Indic digits
        {u"\uFF11\uFF12", kNo, kNo}, // full-width digits
        {u"1\u066B5", kNo, kNo},     // Arabic decimal separator
        {u"12%", kNo, kNo},
    });
}

TEST(TryStrToFloat, SpecialWords) {
    ExpectReadings({
        {u"INF", Is(kInf), Is(kInf)},
        {u"inf", Is(kInf), Is(kInf)},
        {u"+Inf", Is(kInf), Is(kInf)},
        {u" INF", Is(kInf), Is(kInf)},
        {u"-INF", Is(-kInf), Is(-kInf)},
        {u"  -iNf", Is(-kInf), Is(-kInf)},
        {u"NaN", kNotANumber, kNotANumber},
        {u"nan", kNotANumber, kNotANumber},
        {u"+NAN", kNo, kNo},
        {u"-NAN", kNo, kNo},
        {u"INF ", kNo, kNo},
        {u"INFINITY", kNo, kNo},
        {u"IN", kNo, kNo},
        {u"- INF", kNo, kNo},
        {u"\u0131nf", kNo, kNo}, // dotless i: only a to z fold
    });
}

TEST(TryStrToFloat, RangeLimits) {
    ExpectReadings({
        {u"1e308", Bits(0x7FE1CCF385EBC8A0), Bits(0x7FE1CCF385EBC8A0)},
        {u"1.7976931348623157e308", Bits(0x7FEFFFFFFFFFFFFF), kNo},
        {u"-1.7976931348623157e308", Bits(0xFFEFFFFFFFFFFFFF), kNo},
        // Beyond the largest double in extended, though it would round down to it.
        {u"1.7976931348623158e308", kNo, kNo},
        {u"1.8e308", kNo, kNo},
        {u"-1.8e308", kNo, kNo},
        {u"1e309", kNo, kNo},
        {u"1e400", kNo, kNo},
        {u"1e4999", kNo, kNo},
        // Subnormal results and underflow to zero are no failure.
        {u"2.2250738585072011e-308", Bits(0x000FFFFFFFFFFFFF), kNo},
        {u"2.2250738585072012e-308", Bits(0x0010000000000000), kNo},
        {u"4.9406564584124654e-324", Bits(0x0000000000000001), kNo},
        {u"2.4703282292062327e-324", Is(0), kNo},
        {u"2.4703282292062328e-324", Bits(0x0000000000000001), kNo},
        {u"1e-320", Bits(0x00000000000007E8), Bits(0x00000000000007E8)},
        {u"1e-400", Is(0), Is(0)},
        {u"-1e-400", Is(-0.0), Is(-0.0)},
        {u"1e-1000", Is(0), Is(0)},
        {u"0e500", Is(0), Is(0)},
        // The exponent stops at 500 and leaves the last digit unread.
        {u"1e-5000", kNo, kNo},
        {u"0e5000", kNo, kNo},
        {u"1e0000000000000000003", Is(1000), Is(1000)},
    });
}

TEST(TryStrToFloat, RoundsTwice) {
    // The digits are rounded to 64 bits, then to 53: a few texts miss the nearest double.
    ExpectReadings({
        // 5.019227199999999555757312919013202190399169921875, one below the nearest.
        {u"5.0192272", Bits(0x401413B04B8CC64C), kNo},
        {u"-5.0192272", Bits(0xC01413B04B8CC64C), kNo},
        {u"5,0192272", kNo, Bits(0x401413B04B8CC64C)},
        {u"56331.3742972", Bits(0x40EB816BFA3E1F20), kNo},
        {u"9007199254740993.0000000001", Bits(0x4340000000000000), kNo},
        // An exact half between two doubles goes to the even one.
        {u"9007199254740993", Bits(0x4340000000000000), Bits(0x4340000000000000)},
        {u"9007199254740995", Bits(0x4340000000000002), Bits(0x4340000000000002)},
        {u"0.1", Bits(0x3FB999999999999A), kNo},
        {u"0.3", Bits(0x3FD3333333333333), kNo},
        {u"1e23", Bits(0x44B52D02C7E14AF6), Bits(0x44B52D02C7E14AF6)},
    });
}

TEST(TryStrToFloat, LongDigitStrings) {
    ExpectReadings({
        // 2^64 - 1 is still exact in the accumulator; 2^64 + 2^11 + 1 is not.
        {u"18446744073709551615", Bits(0x43F0000000000000), Bits(0x43F0000000000000)},
        {u"18446744073709553665", Bits(0x43F0000000000000), Bits(0x43F0000000000000)},
        {u"123456789012345678901", Bits(0x441AC53A7E04BCDA), Bits(0x441AC53A7E04BCDA)},
        {u"123456789012345678901234567890", Bits(0x45F8EE90FF6C373E), Bits(0x45F8EE90FF6C373E)},
        {u"3.14159265358979323846264338327950288", Bits(0x400921FB54442D18), kNo},
    });
    const std::u16string manyZeros(6000, u'0');
    const std::u16string manyOnes(6000, u'1');
    ExpectReading(u"1" + std::u16string(400, u'0') + u"e-400", TFormatSettings::Invariant(), Is(1));
    ExpectReading(u"0." + manyZeros + u"1", TFormatSettings::Invariant(), Is(0));
    ExpectReading(manyZeros + u"25", TFormatSettings::Invariant(), Is(25));
    // So many digits that the accumulator overflows: no number, even scaled down.
    ExpectReading(u"0." + manyOnes, TFormatSettings::Invariant(), kNo);
    ExpectReading(manyOnes, TFormatSettings::Invariant(), kNo);
}

TEST(TryStrToFloat, StopsAtTheFirstNul) {
    using namespace std::string_view_literals;
    ExpectReading(u"12.5\0xyz"sv, TFormatSettings::Invariant(), Is(12.5));
    ExpectReading(u"INF\0 "sv, TFormatSettings::Invariant(), Is(kInf));
    ExpectReading(u"\0"
                  u"12"sv,
                  TFormatSettings::Invariant(), kNo);
    ExpectReading(u"1\0.5"sv, TFormatSettings::Invariant(), Is(1));
}

TEST(TryStrToFloat, SameBitsWhateverTheCallerX87State) {
    struct Results {
        bool ok, overflowOk, extendedOk;
        double value;
        Extended extended;
    };
    for (const std::uint16_t word : testing::kForeignX87ControlWords) {
        SCOPED_TRACE(::testing::Message() << "control word " << std::hex << word);
        const Results r = testing::UnderX87ControlWord(word, [] {
            Results results{};
            double huge = kUntouched;
            const auto invariant = TFormatSettings::Invariant();
            results.ok = TryStrToFloat(u"5.0192272", results.value, invariant);
            results.overflowOk = TryStrToFloat(u"1e400", huge, invariant);
            results.extendedOk = TextToFloat(u"5.0192272", results.extended, invariant);
            return results;
        });
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(SameBits(r.value, std::bit_cast<double>(std::uint64_t{0x401413B04B8CC64C})));
        EXPECT_FALSE(r.overflowOk);
        EXPECT_TRUE(r.extendedOk);
        // 50192272 / 10^7, rounded to 64 bits
        EXPECT_TRUE(SameExtended(r.extended, 0xA09D825C66326400p-61L));
    }
}

TEST(TextToFloat, KeepsTheExtendedValue) {
    Extended value = 0;
    ASSERT_TRUE(TextToFloat(u"1e500", value, TFormatSettings::Invariant()));
    EXPECT_TRUE(SameExtended(value, 0xF9B2FF649B8695D7p+1597L));
    Extended untouched = 2;
    EXPECT_FALSE(TextToFloat(u"1e5000", untouched, TFormatSettings::Invariant()));
    EXPECT_EQ(untouched, 2);
}

// 10^n rounded to a 64-bit significand, ties to even, by exact integer arithmetic.
struct ExactPower {
    std::uint64_t significand;
    int exponent; // value = significand * 2^exponent
};

ExactPower NearestExtendedPowerOfTen(int n) {
    std::vector<std::uint32_t> limbs{1}; // little-endian base 2^32
    for (int i = 0; i < n; ++i) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs) {
            const std::uint64_t product = std::uint64_t{limb} * 10 + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    auto bit = [&](int index) { return (limbs[index / 32] >> (index % 32)) & 1u; };
    const int length = static_cast<int>(limbs.size()) * 32 - std::countl_zero(limbs.back());
    const int dropped = std::max(length - 64, 0);
    std::uint64_t significand = 0;
    for (int i = length - 1; i >= dropped; --i)
        significand = significand << 1 | bit(i);
    significand <<= 64 - (length - dropped);
    bool sticky = false;
    for (int i = 0; i + 1 < dropped; ++i)
        sticky = sticky || bit(i);
    int exponent = dropped - (64 - (length - dropped));
    if (dropped > 0 && bit(dropped - 1) && (sticky || (significand & 1))) {
        if (++significand == 0) {
            significand = std::uint64_t{1} << 63;
            ++exponent;
        }
    }
    return {significand, exponent};
}

TEST(Pow10, TableEntriesAreTheNearestExtendedValues) {
    std::vector<int> powers;
    for (int k = 0; k < 32; ++k)
        powers.push_back(k);
    for (int k = 1; k <= 15; ++k)
        powers.push_back(32 * k);
    for (int k = 1; k <= 9; ++k)
        powers.push_back(512 * k);
    for (const int n : powers) {
        const ExactPower exact = NearestExtendedPowerOfTen(n);
        EXPECT_TRUE(SameExtended(
            Pow10(1, n), std::ldexp(static_cast<Extended>(exact.significand), exact.exponent)))
            << "10^" << n;
    }
}

TEST(Pow10, ScalesStepByStep) {
    struct Case {
        Extended x;
        int n;
        Extended expected;
    };
    const Case cases[] = {
        {1.5L, 0, 1.5L},
        {1.5L, 2, 150},
        {1, -1, 0xCCCCCCCCCCCCCCCDp-67L},
        {1, 100, 0x924D692CA61BE758p+269L},
        {1, -300, 0xAB70FE17C79AC6CBp-1060L},
        {7, 4000, 0xB78332BF7E8ADAD6p+13227L},
        {1, -4950, 0x3p-16445L}, // a subnormal extended value
        {1, -4951, 0},
        {3, -5119, 0},
        {3, -5120, 0},
        {1, std::numeric_limits<int>::min(), 0},
        {1, 5000, std::numeric_limits<Extended>::infinity()},
        {1e-4940L, 20000, std::numeric_limits<Extended>::infinity()},
        {0, std::numeric_limits<int>::max(), 0},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameExtended(Pow10(c.x, c.n), c.expected)) << "n = " << c.n;
}

TEST(StrToIntDef, Table) {
    struct Case {
        std::u16string_view text;
        int expected;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {u"150", 150},
        {u" 150", 150},
        {u"   +150", 150},
        {u"-5", -5},
        {u"007", 7},
        {u"0", 0},
        {u"00", 0},
        {u"-0", 0},
        {u"150 ", 100},
        {u"150%", 100},
        {u"1.5", 100},
        {u"1,5", 100},
        {u"1e2", 100},
        {u"", 100},
        {u" ", 100},
        {u"+", 100},
        {u"-", 100},
        {u"--5", 100},
        {u"- 5", 100},
        {u"\t5", 100},
        {u"$96", 150},
        {u"0x96", 150},
        {u"0X96", 150},
        {u"x96", 150},
        {u"X96", 150},
        {u"+$96", 150},
        {u"$aB", 171},
        {u"$", 100},
        {u"0x", 100},
        {u"-$", 100},
        {u"$G", 100},
        {u"$-1", 100},
        {u"0x$1", 100},
        {u"$FFFFFFFF", -1},
        {u"-$1", -1},
        {u"$7FFFFFFF", 2147483647},
        {u"$80000000", std::numeric_limits<int>::min()},
        {u"-$80000000", std::numeric_limits<int>::min()},
        {u"-$FFFFFFFF", 1},
        {u"$100000000", 100},
        {u"$0FFFFFFFF", -1},
        {u"$00000000FFFFFFFF", -1},
        {u"2147483647", 2147483647},
        {u"2147483648", 100},
        {u"-2147483648", std::numeric_limits<int>::min()},
        {u"-2147483649", 100},
        {u"21474836470", 100},
        {u"00000000002147483647", 2147483647},
        {u"\u06F1\u06F5\u06F0", 100}, // Persian digits
        {u"\uFF11", 100},
        {u"12\0 34"sv, 12},
        {u"\0"sv, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToIntDef(c.text, 100), c.expected) << "text \"" << Printable(c.text) << "\"";
}

TEST(Trim, Table) {
    struct Case {
        std::u16string_view text;
        std::u16string_view expected;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {u"  12 ", u"12"},
        {u"\t\r\n12\r\n\t", u"12"},
        {u"1 2", u"1 2"},
        {u" \t\r\n\x1F ", u""},
        {u"", u""},
        {u"\0 12 \0"sv, u"12"},
        {u"\u00A012\u00A0", u"\u00A012\u00A0"},
        {u"\u200E12\uFEFF", u"\u200E12\uFEFF"},
        {u"\u300012\u200F", u"\u300012\u200F"},
        {u" !12~ ", u"!12~"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Trim(c.text), c.expected) << "text \"" << Printable(c.text) << "\"";
}

} // namespace
} // namespace ostrafel
