#include <array>
#include <string>

#include <gtest/gtest.h>

#include "CalculationOutcome.h"
#include "FloatTesting.h"
#include "FormatSettingsGuard.h"

namespace ostrafel {
namespace {

using testing::FormatSettingsGuard;
using testing::SameBits;
using Captions = std::array<std::u16string, 3>;

// The two messages, code unit for code unit.
constexpr std::u16string_view kInvalid =
    u"\u0644\u0637\u0641\u0627\u064B \u0645\u0642\u062F\u0627\u0631 \u0645\u0639\u062A\u0628\u0631 "
    u"\u062F\u0631 EditSFU \u0648\u0627\u0631\u062F \u06A9\u0646\u06CC\u062F.";
constexpr std::u16string_view kOutOfRange =
    u"\u0645\u0642\u062F\u0627\u0631 SFU \u0628\u0627\u06CC\u062F \u0628\u06CC\u0646 1 \u062A\u0627 "
    u"5000 \u0628\u0627\u0634\u062F";

TEST(EvaluateEntry, MessagesAreTheExactPersianTexts) {
    EXPECT_EQ(kInvalidEntryMessage, kInvalid);
    EXPECT_EQ(kOutOfRangeMessage, kOutOfRange);
}

struct ComputedCase {
    std::u16string entry;
    char16_t separator;
    double sfu;
    double gpm;
    std::u16string result;
    Captions captions;
    std::optional<std::u16string> writeBack;
};

TEST(EvaluateEntry, ComputedOutcomes) {
    const ComputedCase cases[] = {
        {u"22", u'.', 22, 20.36, u"20.36", {u"SFU=22", u"GPM=20.36", u"22 SFU \u2192 20.36 GPM"}, {}},
        {u"10+12", u'.', 22, 20.36, u"20.36",
         {u"SFU=22", u"GPM=20.36", u"22 SFU \u2192 20.36 GPM"}, u"22"},
        // The captions keep the entry as the user wrote it.
        {u"12,5", u'.', 12.5, 16.25, u"16.25",
         {u"SFU=12,5", u"GPM=16.25", u"12,5 SFU \u2192 16.25 GPM"}, {}},
        {u" 1234 ", u'.', 1234, 237.016, u"237.02",
         {u"SFU= 1234 ", u"GPM=237.02", u" 1234  SFU \u2192 237.02 GPM"}, {}},
        {u"1", u'.', 1, 3, u"3.00", {u"SFU=1", u"GPM=3.00", u"1 SFU \u2192 3.00 GPM"}, {}},
        {u"5000", u'.', 5000, 593, u"593.00",
         {u"SFU=5000", u"GPM=593.00", u"5000 SFU \u2192 593.00 GPM"}, {}},
        {u"3296", u'.', 3296, 460.232, u"460.23",
         {u"SFU=3296", u"GPM=460.23", u"3296 SFU \u2192 460.23 GPM"}, {}},
        {u"22", u',', 22, 20.36, u"20,36", {u"SFU=22", u"GPM=20,36", u"22 SFU \u2192 20,36 GPM"}, {}},
        {u"1.5+1", u',', 2.5, 5.75, u"5,75",
         {u"SFU=2,5", u"GPM=5,75", u"2,5 SFU \u2192 5,75 GPM"}, u"2,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.entry.begin(), c.entry.end()));
        FormatSettingsGuard settings(c.separator);
        const CalculationOutcome outcome = EvaluateEntry(c.entry);
        ASSERT_EQ(outcome.Kind, OutcomeKind::Computed);
        EXPECT_TRUE(SameBits(outcome.SFU, c.sfu));
        EXPECT_TRUE(SameBits(outcome.GPM, c.gpm));
        EXPECT_EQ(outcome.ResultText, c.result);
        EXPECT_EQ(outcome.CopyCaptions, c.captions);
        EXPECT_EQ(outcome.EntryWriteBack, c.writeBack);
    }
}

TEST(EvaluateEntry, LoadsOutsideTheTableAreOutOfRange) {
    FormatSettingsGuard dot(u'.');
    const std::pair<std::u16string, std::optional<std::u16string>> cases[] = {
        {u"3000+3000", u"6000"}, {u"0", std::nullopt},   {u"0.5", std::nullopt},
        {u"6000", std::nullopt}, {u"INF", std::nullopt}, {u"NAN", std::nullopt},
        {u"1+INF", u"INF"},
    };
    for (const auto& [entry, writeBack] : cases) {
        SCOPED_TRACE(std::string(entry.begin(), entry.end()));
        const CalculationOutcome outcome = EvaluateEntry(entry);
        EXPECT_EQ(outcome.Kind, OutcomeKind::OutOfRange);
        EXPECT_TRUE(SameBits(outcome.GPM, -1.0));
        EXPECT_EQ(outcome.MessageText, kOutOfRange);
        EXPECT_EQ(outcome.EntryWriteBack, writeBack);
        EXPECT_TRUE(outcome.ResultText.empty());
    }
}

TEST(EvaluateEntry, UnreadableEntriesAreInvalid) {
    FormatSettingsGuard dot(u'.');
    for (const std::u16string entry : {u"", u"5+", u"a", u"1e+3", u"--5"}) {
        const CalculationOutcome outcome = EvaluateEntry(entry);
        EXPECT_EQ(outcome.Kind, OutcomeKind::InvalidEntry);
        EXPECT_EQ(outcome.MessageText, kInvalid);
        EXPECT_FALSE(outcome.EntryWriteBack);
        EXPECT_TRUE(outcome.ResultText.empty());
        EXPECT_EQ(outcome.CopyCaptions, Captions{});
    }
}

TEST(GetWaterPrefix, ColdWinsOverHot) {
    EXPECT_EQ(GetWaterPrefix(false, false), u"");
    EXPECT_EQ(GetWaterPrefix(true, false), u"C.W: ");
    EXPECT_EQ(GetWaterPrefix(false, true), u"H.W: ");
    EXPECT_EQ(GetWaterPrefix(true, true), u"C.W: ");
}

TEST(ComposeCopyText, BuildsTheThreeFormatsFromTheBoxTexts) {
    struct Case {
        int format;
        std::u16string_view prefix, entry, result, text;
    };
    const Case cases[] = {
        {1, u"C.W: ", u"22", u"20.36", u"C.W: SFU=22"},
        {2, u"C.W: ", u"22", u"20.36", u"C.W: GPM=20.36"},
        {3, u"C.W: ", u"22", u"20.36", u"C.W: 22 SFU \u2192 20.36 GPM"},
        {3, u"H.W: ", u"22", u"20.36", u"H.W: 22 SFU \u2192 20.36 GPM"},
        {1, u"", u"22", u"20.36", u"SFU=22"},
        // Before the first calculation the result box is empty.
        {2, u"H.W: ", u"22", u"", u"H.W: GPM="},
        {3, u"", u"22", u"", u"22 SFU \u2192  GPM"},
        // Texts are taken as they are, blanks included.
        {1, u"", u" 12,5 ", u"", u"SFU= 12,5 "},
        {4, u"C.W: ", u"22", u"20.36", u""},
        {0, u"C.W: ", u"22", u"20.36", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeCopyText(c.format, c.prefix, c.entry, c.result), c.text)
            << "format " << c.format;

    // After an out-of-range outcome the result box holds the message.
    EXPECT_EQ(ComposeCopyText(2, u"", u"6000", kOutOfRange), u"GPM=" + std::u16string(kOutOfRange));
}

} // namespace
} // namespace ostrafel
