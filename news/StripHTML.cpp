#include "StripHTML.h"

#include "NumberReading.h"

namespace ostrafel {
namespace {

// Only "B" and "R" matter for the comparison with "<br", so no locale is needed.
bool StartsLineBreakTag(std::u16string_view rest) {
    return rest.size() >= 3 && (rest[1] == u'b' || rest[1] == u'B') &&
           (rest[2] == u'r' || rest[2] == u'R');
}

std::u16string ReplaceNbsp(std::u16string_view text) {
    static constexpr std::u16string_view kNbsp = u"&nbsp;";
    std::u16string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(kNbsp); at != text.npos; at = text.find(kNbsp, from)) {
        result.append(text.substr(from, at - from));
        result += u' ';
        from = at + kNbsp.size();
    }
    result.append(text.substr(from));
    return result;
}

} // namespace

std::u16string StripHTMLImproved(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    bool inTag = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'<') {
            inTag = true;
            if (StartsLineBreakTag(text.substr(i)))
                result += u"\r\n";
        } else if (c == u'>') {
            inTag = false;
        } else if (!inTag) {
            result += c;
        }
    }
    return Trim(ReplaceNbsp(result));
}

} // namespace ostrafel
