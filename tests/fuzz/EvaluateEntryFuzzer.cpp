// Any entry text gives one of the three outcomes, and a computed demand always
// lies inside the table.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CalculationOutcome.h"
#include "FormatSettings.h"
#include "FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrafel;
    if (size == 0)
        return 0;
    // The first byte picks the user's decimal separator.
    static constexpr char16_t separators[] = {u'.', u',', u'\u066B', u'/'};
    FormatSettings.DecimalSeparator = separators[data[0] % 4];
    const std::u16string entry = fuzzing::TextFromFuzzBytes(data + 1, size - 1);

    const CalculationOutcome outcome = EvaluateEntry(entry);
    switch (outcome.Kind) {
    case OutcomeKind::InvalidEntry:
        if (outcome.EntryWriteBack || !outcome.ResultText.empty() || outcome.MessageText.empty())
            std::abort();
        break;
    case OutcomeKind::OutOfRange:
        if (outcome.GPM != -1.0 || !outcome.ResultText.empty())
            std::abort();
        break;
    case OutcomeKind::Computed:
        if (!(outcome.GPM >= 3.0 && outcome.GPM <= 593.0) || outcome.ResultText.empty() ||
            !(outcome.SFU >= 1.0 && outcome.SFU <= 5000.0))
            std::abort();
        break;
    }
    return 0;
}
