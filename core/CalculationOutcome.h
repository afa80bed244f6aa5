// One calculation, from the entry box text to everything the window shows, and the
// texts of the three copy buttons.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ostrafel {

enum class OutcomeKind { InvalidEntry, OutOfRange, Computed };

// A field that its kind does not set carries no meaning.
struct CalculationOutcome {
    OutcomeKind Kind = OutcomeKind::InvalidEntry;
    double SFU = 0.0;                             // OutOfRange, Computed
    double GPM = 0.0;                             // OutOfRange (-1.0), Computed
    std::optional<std::u16string> EntryWriteBack; // a "+" sum that was read
    std::u16string ResultText;                    // Computed
    std::u16string MessageText;                   // InvalidEntry, OutOfRange
    std::array<std::u16string, 3> CopyCaptions;   // Computed
};

inline constexpr std::u16string_view kInvalidEntryMessage =
    u"لطفاً مقدار معتبر در EditSFU وارد کنید.";
inline constexpr std::u16string_view kOutOfRangeMessage = u"مقدار SFU باید بین 1 تا 5000 باشد";

inline constexpr std::u16string_view kColdWaterPrefix = u"C.W: ";
inline constexpr std::u16string_view kHotWaterPrefix = u"H.W: ";

// Decides the outcome of pressing Calculate with entryText in the entry box.
// Writes nothing; the window applies the outcome.
//   "22"        -> Computed, "20.36", captions "SFU=22", "GPM=20.36", "22 SFU → 20.36 GPM"
//   "3000+3000" -> OutOfRange with write-back "6000"
//   "5+"        -> InvalidEntry
CalculationOutcome EvaluateEntry(std::u16string_view EntryText);

// The clipboard text of copy format 1 ("SFU=" E), 2 ("GPM=" R) or 3 (E " SFU → " R " GPM"),
// behind the water prefix. Any other format number gives the empty text.
std::u16string ComposeCopyText(int formatNo, std::u16string_view prefix,
                               std::u16string_view entryText, std::u16string_view resultText);

// "C.W: " when the cold box is checked (also with the hot one), else "H.W: " for the
// hot box, else nothing.
std::u16string_view GetWaterPrefix(bool coldChecked, bool hotChecked);

} // namespace ostrafel
