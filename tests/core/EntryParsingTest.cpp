#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "EntryParsing.h"
#include "FloatTesting.h"
#include "FormatSettingsGuard.h"
#include "NumberReading.h"

namespace ostrafel {
namespace {

using testing::FormatSettingsGuard;
using testing::LoweredX87Precision;
using testing::SameBits;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadEntry {
    std::u16string entry;
    double sfu;
    std::optional<std::u16string> writeBack;
};

void ExpectRead(const ReadEntry& c) {
    double sfu = -7;
    std::optional<std::u16string> writeBack;
    ASSERT_TRUE(TryGetSFU(c.entry, sfu, writeBack));
    EXPECT_TRUE(SameBits(sfu, c.sfu));
    EXPECT_EQ(writeBack, c.writeBack);
}

TEST(TryGetSFU, ReadsSingleNumbersWithoutWritingThemBack) {
    FormatSettingsGuard dot(u'.');
    const ReadEntry cases[] = {
        {u"12", 12, std::nullopt},     {u" 12 ", 12, std::nullopt},
        {u"12.5", 12.5, std::nullopt}, {u"12,5", 12.5, std::nullopt},
        // A comma is a decimal comma, never a digit-group separator.
        {u"1,000", 1, std::nullopt},   {u"1e3", 1000, std::nullopt},
        {u"\t22\r\n", 22, std::nullopt}, {u"INF", kInf, std::nullopt},
        {u"-INF", -kInf, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.entry.begin(), c.entry.end()));
        ExpectRead(c);
    }
}

TEST(TryGetSFU, AddsTheTermsOfASumAndWritesTheSumBack) {
    FormatSettingsGuard dot(u'.');
    const ReadEntry cases[] = {
        {u"10+12", 22, u"22"},
        {u"1 + 2", 3, u"3"},
        {u"1.5+2,5", 4, u"4"},
        {u"1.5+2", 3.5, u"3.5"},
        {u"10+-5", 5, u"5"},
        // The load is the double sum; only the text is rounded to 15 digits.
        {u"0.1+0.2", 0.30000000000000004, u"0.3"},
        {u"3000+3000", 6000, u"6000"},
        {u"1+INF", kInf, u"INF"},
        {u"INF+-INF", std::numeric_limits<double>::quiet_NaN(), u"NAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.entry.begin(), c.entry.end()));
        if (std::isnan(c.sfu)) {
            double sfu = 0;
            std::optional<std::u16string> writeBack;
            ASSERT_TRUE(TryGetSFU(c.entry, sfu, writeBack));
            EXPECT_TRUE(std::isnan(sfu));
            EXPECT_EQ(writeBack, c.writeBack);
        } else {
            ExpectRead(c);
        }
    }
}

TEST(TryGetSFU, RefusesEntriesWithoutTouchingTheOutputs) {
    FormatSettingsGuard dot(u'.');
    const std::u16string refused[] = {u"",     u"   ",   u"a",    u"1.000,5", u"1,5,0", u"+",
                                      u"1+",   u"+1",    u"1++2", u"1+2+",    u"1+ +2", u"+5",
                                      u"1e+3", u"1+a+2", u"\u06F1\u06F2", u"0x10", u"1.2.3"};
    for (const auto& entry : refused) {
        double sfu = -7;
        std::optional<std::u16string> writeBack = u"kept";
        EXPECT_FALSE(TryGetSFU(entry, sfu, writeBack))
            << std::string(entry.begin(), entry.end());
        EXPECT_TRUE(SameBits(sfu, -7));
        EXPECT_EQ(writeBack, u"kept");
    }
}

TEST(TryGetSFU, WritesTheSumBackUnderTheUserDecimalSeparator) {
    {
        FormatSettingsGuard comma(u',');
        ExpectRead({u"1.5+2", 3.5, u"3,5"});
        ExpectRead({u"3,5", 3.5, std::nullopt});
    }
    {
        // Arabic decimal separator: the written-back sum cannot be read again.
        FormatSettingsGuard arabic(u'\u066B');
        ExpectRead({u"1.5+2", 3.5, u"3\u066B5"});
        double sfu = 0;
        std::optional<std::u16string> writeBack;
        EXPECT_FALSE(TryGetSFU(u"3\u066B5", sfu, writeBack));
    }
}

TEST(TryGetSFU, AddsInExtendedPrecisionWhateverTheInheritedPrecision) {
    // 1 + (2^-53 + 2^-105): rounded to 64 bits the sum is the halfway point
    // 1 + 2^-53, which then rounds to even, 1. Double addition would give the
    // next double above 1.
    FormatSettingsGuard dot(u'.');
    const std::u16string term = u"1.1102230246251568e-16";
    double read = 0;
    ASSERT_TRUE(TryStrToFloat(term, read, TFormatSettings::Invariant()));
    ASSERT_TRUE(SameBits(read, std::ldexp(1.0, -53) + std::ldexp(1.0, -105)));
    volatile double one = 1.0;
    ASSERT_TRUE(SameBits(one + read, std::nextafter(1.0, 2.0)));

    ExpectRead({u"1+" + term, 1.0, u"1"});
    LoweredX87Precision lowered;
    ExpectRead({u"1+" + term, 1.0, u"1"});
}

TEST(TryGetSFU, ReadsLongSums) {
    FormatSettingsGuard dot(u'.');
    std::u16string entry = u"1";
    for (int i = 1; i < 10000; ++i)
        entry += u"+0.5";
    ExpectRead({entry, 1 + 9999 * 0.5, u"5000.5"});
}

} // namespace
} // namespace ostrafel
