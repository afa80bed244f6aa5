#include "CalculationOutcome.h"

#include "DemandTable.h"
#include "EntryParsing.h"
#include "FormatSettings.h"
#include "NumberWriting.h"

namespace ostrafel {

CalculationOutcome EvaluateEntry(std::u16string_view entryText) {
    CalculationOutcome outcome;
    if (!TryGetSFU(entryText, outcome.SFU, outcome.EntryWriteBack)) {
        outcome.Kind = OutcomeKind::InvalidEntry;
        outcome.MessageText = kInvalidEntryMessage;
        return outcome;
    }

    outcome.GPM = ConvertOstrafel(outcome.SFU);
    if (outcome.GPM < 0) {
        outcome.Kind = OutcomeKind::OutOfRange;
        outcome.MessageText = kOutOfRangeMessage;
        return outcome;
    }

    outcome.Kind = OutcomeKind::Computed;
    outcome.ResultText = FormatFloat(u"0.00", outcome.GPM, FormatSettings);
    // The captions show what the entry box holds once the outcome is applied.
    const std::u16string_view entry =
        outcome.EntryWriteBack ? std::u16string_view(*outcome.EntryWriteBack) : entryText;
    for (int format = 1; format <= 3; ++format)
        outcome.CopyCaptions[format - 1] = ComposeCopyText(format, u"", entry, outcome.ResultText);
    return outcome;
}

std::u16string ComposeCopyText(int formatNo, std::u16string_view prefix,
                               std::u16string_view entryText, std::u16string_view resultText) {
    std::u16string text(prefix);
    switch (formatNo) {
    case 1:
        text.append(u"SFU=").append(entryText);
        break;
    case 2:
        text.append(u"GPM=").append(resultText);
        break;
    case 3:
        text.append(entryText).append(u" SFU \u2192 ").append(resultText).append(u" GPM");
        break;
    default:
        return {};
    }
    return text;
}

std::u16string_view GetWaterPrefix(bool coldChecked, bool hotChecked) {
    if (coldChecked)
        return kColdWaterPrefix;
    if (hotChecked)
        return kHotWaterPrefix;
    return {};
}

} // namespace ostrafel
