// FloatToStr and FormatFloat on every extended bit pattern, the ones that no arithmetic
// produces included: the texts use only the characters of a number, and for doubles
// they read back within their rounding. Two more bytes give an x87 control word that
// the caller leaves behind (exceptions masked, any precision and rounding): the texts
// stay the same, and digits developed without the scope keep the record's shape.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "FloatEnvironment.h"
#include "NumberReading.h"
#include "NumberWriting.h"

namespace {

using namespace ostrafel;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool LooksLikeANumber(const std::u16string& text) {
    if (text == u"INF" || text == u"-INF" || text == u"NAN")
        return true;
    if (text.empty() || text.size() > 30)
        return false;
    for (const char16_t c : text)
        if (!((c >= u'0' && c <= u'9') || c == u'-' || c == u'E' || c == u','))
            return false;
    return true;
}

// The text read back lies within `tolerance` of x; near the largest double, the text
// rounded to 15 digits may lie beyond the doubles and read as nothing.
void CheckReadsBack(const std::u16string& text, double x, double tolerance,
                    const TFormatSettings& settings) {
    double back = 0;
    if (!TryStrToFloat(text, back, settings)) {
        Check(std::fabs(x) > 1.7976931348623e308);
        return;
    }
    Check(!(std::fabs(back - x) > tolerance));
}

void CheckShape(const TFloatRec& rec) {
    const std::string_view digits(rec.Digits, strnlen(rec.Digits, sizeof rec.Digits));
    Check(digits.size() <= 18);
    Check(digits.find_first_not_of("0123456789") == std::string_view::npos);
    Check(digits.empty() || (digits.front() != '0' && digits.back() != '0'));
}

void CheckUnderForeignControlWord(Extended any, std::uint16_t word,
                                  const TFormatSettings& settings) {
    const std::u16string text = FloatToStr(any, settings);
    const std::u16string fixed = FormatFloat(u"0.00", any, settings);
    const std::uint16_t saved = ReadX87ControlWord();
    WriteX87ControlWord(static_cast<std::uint16_t>(word | 0x3F));
    const std::u16string foreignText = FloatToStr(any, settings);
    const std::u16string foreignFixed = FormatFloat(u"0.00", any, settings);
    const TFloatRec general = FloatToDecimalInScope(any, 15, 9999);
    const TFloatRec twoDecimals = FloatToDecimalInScope(any, 18, 2);
    WriteX87ControlWord(saved);
    Check(foreignText == text);
    Check(foreignFixed == fixed);
    CheckShape(general);
    CheckShape(twoDecimals);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFormatSettings comma = TFormatSettings::Invariant();
    comma.DecimalSeparator = u',';
    if (size >= 10) {
        Extended any = 0;
        std::memcpy(&any, data, 10);
        Check(LooksLikeANumber(FloatToStr(any, comma)));
        Check(LooksLikeANumber(FormatFloat(u"0.00", any, comma)));
        if (size >= 12) {
            std::uint16_t word = 0;
            std::memcpy(&word, data + 10, 2);
            CheckUnderForeignControlWord(any, word, comma);
        }
    }
    if (size >= 8) {
        double x = 0;
        std::memcpy(&x, data, 8);
        if (std::isfinite(x)) {
            CheckReadsBack(FloatToStr(x, comma), x, std::fabs(x) * 1e-14 + 5e-324, comma);
            if (std::fabs(x) < 1e15)
                CheckReadsBack(FormatFloat(u"0.00", x, comma), x, 0.0051 + std::fabs(x) * 0x1p-52,
                               comma);
        }
    }
    return 0;
}
