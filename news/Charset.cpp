#include "Charset.h"

#include <algorithm>
#include <charconv>

#include "HttpTypes.h"

namespace ostrafel {
namespace {

std::string_view Unquote(std::string_view text, char quote) {
    if (text.size() >= 2 && text.front() == quote && text.back() == quote)
        return text.substr(1, text.size() - 2);
    return text;
}

std::string_view SkipLeadingControls(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20)
        text.remove_prefix(1);
    return text;
}

struct CharsetName {
    std::string_view name;
    unsigned codePage;
};

// The names and aliases that Windows registers for its code pages, in lower case.
constexpr CharsetName kCharsets[] = {
    {"utf-8", 65001},
    {"utf8", 65001},
    {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-8", 65001},
    {"x-unicode20utf8", 65001},
    {"utf-7", 65000},
    {"unicode-1-1-utf-7", 65000},
    {"unicode-2-0-utf-7", 65000},
    {"x-unicode20utf7", 65000},
    {"csunicode11utf7", 65000},
    {"utf-16", 1200},
    {"utf-16le", 1200},
    {"unicode", 1200},
    {"ucs-2", 1200},
    {"iso-10646-ucs-2", 1200},
    {"csunicode", 1200},
    {"utf-16be", 1201},
    {"unicodefffe", 1201},
    {"us-ascii", 20127},
    {"ascii", 20127},
    {"us", 20127},
    {"ansi_x3.4-1968", 20127},
    {"ansi_x3.4-1986", 20127},
    {"cp367", 20127},
    {"csascii", 20127},
    {"ibm367", 20127},
    {"iso-ir-6", 20127},
    {"iso646-us", 20127},
    {"iso_646.irv:1991", 20127},
    {"iso-8859-1", 28591},
    {"iso8859-1", 28591},
    {"iso_8859-1", 28591},
    {"iso_8859-1:1987", 28591},
    {"latin1", 28591},
    {"l1", 28591},
    {"iso-ir-100", 28591},
    {"ibm819", 28591},
    {"cp819", 28591},
    {"csisolatin1", 28591},
    {"iso-8859-2", 28592},
    {"iso8859-2", 28592},
    {"iso_8859-2", 28592},
    {"iso_8859-2:1987", 28592},
    {"latin2", 28592},
    {"l2", 28592},
    {"iso-ir-101", 28592},
    {"csisolatin2", 28592},
    {"iso-8859-3", 28593},
    {"iso_8859-3", 28593},
    {"latin3", 28593},
    {"l3", 28593},
    {"iso-ir-109", 28593},
    {"csisolatin3", 28593},
    {"iso-8859-4", 28594},
    {"iso_8859-4", 28594},
    {"latin4", 28594},
    {"l4", 28594},
    {"iso-ir-110", 28594},
    {"csisolatin4", 28594},
    {"iso-8859-5", 28595},
    {"iso_8859-5", 28595},
    {"cyrillic", 28595},
    {"iso-ir-144", 28595},
    {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596},
    {"iso_8859-6", 28596},
    {"arabic", 28596},
    {"iso-ir-127", 28596},
    {"ecma-114", 28596},
    {"csisolatinarabic", 28596},
    {"asmo-708", 708},
    {"iso-8859-7", 28597},
    {"iso_8859-7", 28597},
    {"greek", 28597},
    {"greek8", 28597},
    {"elot_928", 28597},
    {"ecma-118", 28597},
    {"iso-ir-126", 28597},
    {"csisolatingreek", 28597},
    {"iso-8859-8", 28598},
    {"iso_8859-8", 28598},
    {"hebrew", 28598},
    {"iso-ir-138", 28598},
    {"csisolatinhebrew", 28598},
    {"visual", 28598},
    {"iso-8859-8-i", 38598},
    {"logical", 38598},
    {"iso-8859-9", 28599},
    {"iso_8859-9", 28599},
    {"latin5", 28599},
    {"l5", 28599},
    {"iso-ir-148", 28599},
    {"csisolatin5", 28599},
    {"iso-8859-11", 874},
    {"tis-620", 874},
    {"windows-874", 874},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},
    {"iso_8859-15", 28605},
    {"latin9", 28605},
    {"latin-9", 28605},
    {"l9", 28605},
    {"csisolatin9", 28605},
    {"windows-1250", 1250},
    {"x-cp1250", 1250},
    {"windows-1251", 1251},
    {"x-cp1251", 1251},
    {"windows-1252", 1252},
    {"x-ansi", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"koi8-r", 20866},
    {"koi8", 20866},
    {"koi", 20866},
    {"cskoi8r", 20866},
    {"koi8-ru", 21866},
    {"koi8-u", 21866},
    {"ibm437", 437},
    {"cp437", 437},
    {"ibm850", 850},
    {"ibm852", 852},
    {"ibm866", 866},
    {"cp866", 866},
    {"macintosh", 10000},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"ms_kanji", 932},
    {"csshiftjis", 932},
    {"windows-31j", 932},
    {"euc-jp", 20932},
    {"x-euc-jp", 20932},
    {"cseucpkdfmtjapanese", 20932},
    {"iso-2022-jp", 50220},
    {"csiso2022jp", 50221},
    {"gb2312", 936},
    {"gbk", 936},
    {"x-gbk", 936},
    {"cp936", 936},
    {"ms936", 936},
    {"csgb2312", 936},
    {"gb_2312-80", 936},
    {"chinese", 936},
    {"gb18030", 54936},
    {"hz-gb-2312", 52936},
    {"big5", 950},
    {"big5-hkscs", 950},
    {"cn-big5", 950},
    {"csbig5", 950},
    {"x-x-big5", 950},
    {"euc-kr", 949},
    {"cseuckr", 949},
    {"ks_c_5601-1987", 949},
    {"ks_c_5601", 949},
    {"ks_c_5601-1989", 949},
    {"korean", 949},
    {"csksc56011987", 949},
    {"windows-949", 949},
    {"iso-2022-kr", 50225},
};

// "cp1256" -> 1256. The small numbers are the system's stand-ins for the current
// ANSI, OEM or Macintosh code page, not code pages of their own, and are refused.
std::optional<unsigned> CodePageNumber(std::string_view name) {
    if (!name.starts_with("cp"))
        return std::nullopt;
    const std::string_view digits = name.substr(2);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value < 37 || value > 65535 || value == 42)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::string> ExtractCharset(std::string_view contentType) {
    while (true) {
        const std::size_t semicolon = contentType.find(';');
        const std::string_view piece = SkipLeadingControls(contentType.substr(0, semicolon));
        if (StartsWithIgnoringCase(piece, "charset")) {
            const std::size_t equals = piece.find('=');
            if (equals == piece.npos || piece.find('=', equals + 1) != piece.npos)
                return std::nullopt;
            const std::string_view name =
                Unquote(Unquote(TrimControls(piece.substr(equals + 1)), '\''), '"');
            return name.empty() ? std::nullopt : std::optional<std::string>(name);
        }
        if (semicolon == contentType.npos)
            return std::nullopt;
        contentType.remove_prefix(semicolon + 1);
    }
}

std::optional<unsigned> CodePageForCharset(std::string_view name) {
    const std::string lower = ToLowerAscii(name);
    const auto* found = std::find_if(std::begin(kCharsets), std::end(kCharsets),
                                     [&](const CharsetName& entry) { return entry.name == lower; });
    if (found != std::end(kCharsets))
        return found->codePage;
    return CodePageNumber(lower);
}

} // namespace ostrafel
