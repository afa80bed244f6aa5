// Writing numbers: expected texts are derived by hand or with exact arithmetic
// (tools/number_model.py), not from the code under test.
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "FloatTesting.h"
#include "NumberWriting.h"

namespace ostrafel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TFormatSettings WithSeparator(char16_t separator) {
    TFormatSettings settings = TFormatSettings::Invariant();
    settings.DecimalSeparator = separator;
    return settings;
}

struct WriteCase {
    Extended value;
    std::u16string_view expected;
};

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

std::string Describe(Extended value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%La", value);
    return buffer;
}

TEST(FloatToStr, Table) {
    const WriteCase cases[] = {
        {12.5, u"12.5"},
        {3, u"3"},
        {100, u"100"},
        {0.0, u"0"},
        {-0.0, u"0"},
        {-2.5, u"-2.5"},
        {0.1 + 0.2, u"0.3"},
        {1.0 / 3, u"0.333333333333333"},
        {2.0 / 3, u"0.666666666666667"},
        {100000000000000.5, u"100000000000001"},
        {999999999999999.0, u"999999999999999"},
        {1e15, u"1E15"},
        {1e16, u"1E16"},
        {123456789012345678.0, u"1.23456789012346E17"},
        {1e100, u"1E100"},
        {1e23, u"1E23"},
        {0.0001, u"0.0001"},
        {0.00001, u"1E-5"},
        {1.5e-7, u"1.5E-7"},
        {-1.5e-7, u"-1.5E-7"},
        // Exactly 1607.933372928154994951910339295864105224609375: the working digits
        // 160793337292815500 round up at the sixteenth.
        {1607.933372928155, u"1607.93337292816"},
        {20.36, u"20.36"},
        {237.016, u"237.016"},
        {1234567.0, u"1234567"},
        {std::numeric_limits<double>::max(), u"1.79769313486232E308"},
        {-std::numeric_limits<double>::max(), u"-1.79769313486232E308"},
        {std::numeric_limits<double>::min(), u"2.2250738585072E-308"},
        {std::numeric_limits<double>::denorm_min(), u"4.94065645841247E-324"},
        {std::numeric_limits<Extended>::max(), u"1.18973149535723E4932"},
        {std::numeric_limits<Extended>::denorm_min(), u"3.64519953188247E-4951"},
        // 274 * 2^-16445 = 9.98784671735798041...E-4949: a denormal whose scaling to 18
        // digits comes out one digit short.
        {274 * std::numeric_limits<Extended>::denorm_min(), u"9.98784671735798E-4949"},
        {kInf, u"INF"},
        {-kInf, u"-INF"},
        {kNaN, u"NAN"},
        {-kNaN, u"NAN"},
    };
    for (const WriteCase& c : cases)
        EXPECT_EQ(Narrow(FloatToStr(c.value, TFormatSettings::Invariant())), Narrow(c.expected))
            << Describe(c.value);
}

TEST(FloatToStr, WritesTheGivenSeparator) {
    EXPECT_EQ(FloatToStr(12.5, WithSeparator(u',')), u"12,5");
    EXPECT_EQ(FloatToStr(1.5e-7, WithSeparator(u',')), u"1,5E-7");
    EXPECT_EQ(FloatToStr(3.75, WithSeparator(u',')), u"3,75");
    EXPECT_EQ(FloatToStr(0.001, WithSeparator(u'\u066B')), u"0\u066B001");
    EXPECT_EQ(FloatToStr(1234567.5, WithSeparator(u',')), u"1234567,5");
}

TEST(FormatFloat, TwoDecimals) {
    const WriteCase cases[] = {
        // An exact half rounds away from zero.
        {3.125, u"3.13"},
        {-3.125, u"-3.13"},
        {0.125, u"0.13"},
        {0.005, u"0.01"},
        {-0.005, u"-0.01"},
        // These doubles lie just below the half...
        {2.675, u"2.67"},
        {1.005, u"1.00"},
        {0.015, u"0.01"},
        {1.115, u"1.11"},
        {0.045, u"0.04"},
        {9.995, u"9.99"},
        // ... and these just above.
        {12.345, u"12.35"},
        {99.995, u"100.00"},
        {0, u"0.00"},
        {-0.0, u"0.00"},
        {-0.004, u"0.00"},
        {std::numeric_limits<double>::denorm_min(), u"0.00"},
        {0.5, u"0.50"},
        {0.05, u"0.05"},
        {-1.5, u"-1.50"},
        {1234.5, u"1234.50"},
        {5000, u"5000.00"},
        {20.36, u"20.36"},
        {237.016, u"237.02"},
        {460.232, u"460.23"},
        {123456789.125, u"123456789.13"},
        {1e16 + 2, u"10000000000000002.00"},
        {1e17, u"100000000000000000.00"},
        // From 10^18 on, the general form.
        {1e18, u"1E18"},
        {-1e18, u"-1E18"},
        {std::numeric_limits<double>::max(), u"1.79769313486232E308"},
        {kInf, u"INF"},
        {-kInf, u"-INF"},
        {kNaN, u"NAN"},
    };
    for (const WriteCase& c : cases)
        EXPECT_EQ(Narrow(FormatFloat(u"0.00", c.value, TFormatSettings::Invariant())),
                  Narrow(c.expected))
            << Describe(c.value);
}

TEST(FormatFloat, WritesTheGivenSeparator) {
    EXPECT_EQ(FormatFloat(u"0.00", 3.125, WithSeparator(u',')), u"3,13");
    EXPECT_EQ(FormatFloat(u"0.00", -0.001, WithSeparator(u',')), u"0,00");
    EXPECT_EQ(FormatFloat(u"0.00", 1e18, WithSeparator(u',')), u"1E18");
    EXPECT_EQ(FormatFloat(u"0.00", 1.5e18, WithSeparator(u',')), u"1,5E18");
}

TEST(FormatFloat, OtherPatternsGiveTheGeneralForm) {
    EXPECT_EQ(FormatFloat(u"#,##0.000", 3.125, TFormatSettings::Invariant()), u"3.125");
    EXPECT_EQ(FormatFloat(u"", 1e18, TFormatSettings::Invariant()), u"1E18");
}

TEST(FloatToDecimal, Records) {
    struct Case {
        Extended value;
        int precision;
        int decimals;
        int exponent;
        bool negative;
        const char* digits;
    };
    const Case cases[] = {
        {1607.933372928155, 15, 9999, 4, false, "160793337292816"},
        {-1607.933372928155, 18, 9999, 4, true, "1607933372928155"},
        {0.0, 15, 9999, 0, false, ""},
        {-0.0, 15, 9999, 0, false, ""},
        {kInf, 15, 9999, 32767, false, ""},
        {-kInf, 15, 9999, 32767, true, ""},
        {-kNaN, 15, 9999, -32768, false, ""},
        // The first digit to drop lies before the number: zero.
        {-0.0004, 18, 2, 0, false, ""},
        // The first digit to drop is the first digit.
        {-0.004, 18, 2, -2, false, ""},
        // Rounds away at the first working digit, or to nothing.
        {-0.005, 18, 2, -1, true, "1"},
        {0.004, 18, 3, -2, false, "4"},
        {999.5, 18, 0, 4, false, "1"},
        {0.5, 18, 0, 1, false, "1"},
        {0.4, 18, 0, 0, false, ""},
        {123.456, 2, 9999, 3, false, "12"},
        {1e-5, 15, 9999, -4, false, "1"},
        {5e-324, 15, 9999, -323, false, "494065645841247"},
    };
    for (const Case& c : cases) {
        TFloatRec rec;
        FloatToDecimal(rec, c.value, c.precision, c.decimals);
        SCOPED_TRACE(Describe(c.value) + " " + std::to_string(c.precision) + " " +
                     std::to_string(c.decimals));
        EXPECT_EQ(rec.Exponent, c.exponent);
        EXPECT_EQ(rec.Negative, c.negative);
        EXPECT_STREQ(rec.Digits, c.digits);
    }
}

TEST(NumberWriting, SameTextsWhateverTheCallerX87State) {
    // The operands are extended before the caller's state changes: how a caller loads
    // its own doubles is the caller's business, only the writing is under test.
    constexpr std::array<Extended, 4> operands = {1607.933372928155, 1.0 / 3, 2.675, 99.995};
    for (const std::uint16_t word : testing::kForeignX87ControlWords) {
        SCOPED_TRACE(::testing::Message() << "control word " << std::hex << word);
        const auto texts = testing::UnderX87ControlWord(word, [&] {
            const auto invariant = TFormatSettings::Invariant();
            return std::array{FloatToStr(operands[0], invariant),
                              FloatToStr(operands[1], invariant),
                              FormatFloat(u"0.00", operands[2], invariant),
                              FormatFloat(u"0.00", operands[3], invariant)};
        });
        EXPECT_EQ(texts[0], u"1607.93337292816");
        EXPECT_EQ(texts[1], u"0.333333333333333");
        EXPECT_EQ(texts[2], u"2.67");
        EXPECT_EQ(texts[3], u"100.00");
    }
}

// Digit development run without the scope, under whatever state the caller left:
// the digits may come out wrong, but the record keeps its shape.
TEST(FloatToDecimalInScope, RecordKeepsItsShapeUnderAnyX87State) {
    const Extended largest = std::numeric_limits<Extended>::max();
    const Extended smallest = std::numeric_limits<Extended>::denorm_min();
    // 0x112 * 2^-16445: rounding down scales it to fewer than 18 digits.
    const Extended denormal = 274 * smallest;
    const std::array<Extended, 13> values = {
        denormal, 1607.933372928155, 1.0 / 3, 1e17L,    99999999999999999.5L,
        0.1L,     1e-300L,           1e300L,  1e-4000L, 1e4000L,
        largest,  -largest,          smallest};
    constexpr std::array<std::uint16_t, 7> words = {0x007F, 0x027F, 0x037F, 0x077F,
                                                    0x0B7F, 0x0F7F, 0x0C7F};
    for (const std::uint16_t word : words) {
        for (const Extended value : values) {
            for (const auto& [precision, decimals] : {std::pair{15, 9999}, std::pair{18, 2}}) {
                const TFloatRec rec = testing::UnderX87ControlWord(
                    word, [&] { return FloatToDecimalInScope(value, precision, decimals); });
                SCOPED_TRACE(::testing::Message() << std::hex << "control word " << word);
                const std::string_view digits(rec.Digits);
                EXPECT_LE(digits.size(), 18u);
                EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string_view::npos);
                if (!digits.empty()) {
                    EXPECT_NE(digits.front(), '0');
                    EXPECT_NE(digits.back(), '0');
                }
            }
        }
    }
}

TEST(IntToStr, Table) {
    EXPECT_EQ(IntToStr(150), u"150");
    EXPECT_EQ(IntToStr(-5), u"-5");
    EXPECT_EQ(IntToStr(0), u"0");
    EXPECT_EQ(IntToStr(100), u"100");
    EXPECT_EQ(IntToStr(std::numeric_limits<int>::max()), u"2147483647");
    EXPECT_EQ(IntToStr(std::numeric_limits<int>::min()), u"-2147483648");
}

} // namespace
} // namespace ostrafel
