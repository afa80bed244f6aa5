// TryStrToFloat and TextToFloat on arbitrary texts under both separators:
// - a false result leaves Value untouched;
// - TextToFloat gives the same bits as the reading rules spelt out literally, with an
//   extended multiply and add for every digit (the library accumulates short digit
//   strings in an integer);
// - TryStrToFloat is TextToFloat's value rounded to double, or false beyond the doubles.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "FuzzText.h"
#include "NumberReading.h"

namespace {

using namespace ostrafel;

bool SameExtended(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0 || (std::isnan(a) && std::isnan(b));
}

[[gnu::noinline]] bool LiteralReadInScope(std::u16string_view text, char16_t sep, Extended& out) {
    text = text.substr(0, text.find(u'\0'));
    std::size_t p = 0;
    auto at = [&](std::size_t i) -> char16_t { return i < text.size() ? text[i] : u'\0'; };
    auto isDigit = [&](std::size_t i) { return at(i) >= u'0' && at(i) <= u'9'; };

    while (at(p) == u' ')
        ++p;
    const std::size_t wordStart = p;
    const bool minus = at(p) == u'-';
    if (at(p) == u'+' || at(p) == u'-')
        ++p;
    Extended a = 0;
    long digits = 0;
    long fraction = 0;
    auto take = [&] {
        a = a * 10;
        a = a + (at(p) - u'0');
        ++p;
        ++digits;
    };
    while (isDigit(p))
        take();
    if (sep != u'\0' && at(p) == sep) {
        ++p;
        for (; isDigit(p); ++fraction)
            take();
    }
    bool number = digits > 0;
    int exponent = 0;
    if (number && (at(p) == u'E' || at(p) == u'e')) {
        ++p;
        const bool exponentMinus = at(p) == u'-';
        if (at(p) == u'+' || at(p) == u'-')
            ++p;
        number = isDigit(p);
        while (isDigit(p) && exponent < 500)
            exponent = exponent * 10 + (at(p++) - u'0');
        if (exponentMinus)
            exponent = -exponent;
    }
    while (at(p) == u' ')
        ++p;
    if (number && p == text.size()) {
        if (std::isinf(a))
            return false;
        const Extended x = Pow10InScope(a, static_cast<int>(std::max(exponent - fraction, -5120L)));
        if (std::isinf(x))
            return false;
        out = minus ? -x : x;
        return true;
    }
    std::u16string word(text.substr(wordStart));
    for (char16_t& c : word)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    if (word == u"NAN")
        out = std::numeric_limits<Extended>::quiet_NaN();
    else if (word == u"INF" || word == u"+INF")
        out = inf;
    else if (word == u"-INF")
        out = -inf;
    else
        return false;
    return true;
}

bool LiteralRead(std::u16string_view text, char16_t sep, Extended& out) {
    ExtendedPrecisionScope scope;
    return LiteralReadInScope(text, sep, out);
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzzing::TextFromFuzzBytes(data, size);
    for (const char16_t sep : {u'.', u','}) {
        TFormatSettings settings = TFormatSettings::Invariant();
        settings.DecimalSeparator = sep;

        Extended extended = 7;
        Extended literal = 7;
        const bool extendedOk = TextToFloat(text, extended, settings);
        Check(extendedOk == LiteralRead(text, sep, literal));
        Check(SameExtended(extended, literal));

        constexpr double kUntouched = -123.0625;
        double value = kUntouched;
        const bool ok = TryStrToFloat(text, value, settings);
        if (!ok) {
            Check(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(kUntouched));
            Check(!extendedOk || (std::isfinite(extended) &&
                                  std::fabs(extended) > std::numeric_limits<double>::max()));
        } else {
            Check(extendedOk);
            const auto rounded = static_cast<double>(extended);
            Check(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(rounded) ||
                  (std::isnan(value) && std::isnan(rounded)));
        }
    }
    return 0;
}
