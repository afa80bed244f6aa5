#include "EntryParsing.h"

#include "FloatEnvironment.h"
#include "FormatSettings.h"
#include "NumberReading.h"
#include "NumberWriting.h"

namespace ostrafel {
namespace {

// Both readings a user may mean: "12.5" everywhere, and "12,5" as typed on
// keyboards whose decimal key gives a comma. Reading looks at the decimal
// separator alone, so the comma reading is the same whatever the user's locale
// is, and asking the locale for it on every calculation would only cost time.
class NumberReader {
  public:
    NumberReader() : FComma(TFormatSettings::Invariant()) { FComma.DecimalSeparator = u','; }

    bool Read(std::u16string_view text, double& value) const {
        return TryStrToFloat(text, value, TFormatSettings::Invariant()) ||
               TryStrToFloat(text, value, FComma);
    }

  private:
    TFormatSettings FComma;
};

// The running sum is added in extended precision and kept as a double.
double AddExtended(double sum, double term) {
    return InExtendedPrecision(
        [](double a, double b) { return static_cast<double>(Extended(a) + Extended(b)); }, sum,
        term);
}

} // namespace

bool TryGetSFU(std::u16string_view entryText, double& sfu,
               std::optional<std::u16string>& entryWriteBack) {
    const std::u16string entry = Trim(entryText);
    const NumberReader reader;

    if (entry.find(u'+') == std::u16string::npos)
        return reader.Read(entry, sfu);

    // k signs give k + 1 pieces; an empty piece is no number, so a leading,
    // trailing or doubled "+" refuses the whole entry.
    double sum = 0.0;
    std::u16string_view rest = entry;
    for (;;) {
        const std::size_t plus = rest.find(u'+');
        double term = 0.0;
        if (!reader.Read(Trim(rest.substr(0, plus)), term))
            return false;
        sum = AddExtended(sum, term);
        if (plus == std::u16string_view::npos)
            break;
        rest.remove_prefix(plus + 1);
    }
    sfu = sum;
    entryWriteBack = FloatToStr(sum, FormatSettings);
    return true;
}

} // namespace ostrafel
