#include <gtest/gtest.h>

#include "Charset.h"

namespace ostrafel {
namespace {

struct CharsetCase {
    std::string_view contentType;
    std::optional<std::string> charset;
};

class ExtractCharsetTest : public testing::TestWithParam<CharsetCase> {};

TEST_P(ExtractCharsetTest, FindsTheFirstCharsetPiece) {
    EXPECT_EQ(ExtractCharset(GetParam().contentType), GetParam().charset);
}

INSTANTIATE_TEST_SUITE_P(
    ContentTypes, ExtractCharsetTest,
    testing::Values(
        CharsetCase{"text/html; charset=windows-1256", "windows-1256"},
        CharsetCase{"text/html;charset='utf-8'", "utf-8"},
        CharsetCase{"text/html;charset=\"utf-8\"", "utf-8"},
        CharsetCase{"text/html;charset=\"'x'\"", "'x'"}, // single quotes are removed first
        CharsetCase{"text/html;charset='\"x\"'", "x"},
        CharsetCase{"text/html; charset=a=b", std::nullopt},
        CharsetCase{"text/html; foo=1; charset=iso-8859-6", "iso-8859-6"},
        CharsetCase{"text/html; CHARSET = UTF-8 ", "UTF-8"},
        CharsetCase{"text/html;\t\r\n charset=koi8-r", "koi8-r"},
        CharsetCase{"text/html; charset=utf-8; charset=latin1", "utf-8"},
        CharsetCase{"text/html; charset; charset=latin1", std::nullopt}, // first piece decides
        CharsetCase{"text/html; charsetx=latin1", "latin1"},
        CharsetCase{"text/html; x-charset=latin1", std::nullopt},
        CharsetCase{"text/html; charset=", std::nullopt},
        CharsetCase{"text/html; charset=''", std::nullopt},
        CharsetCase{"text/html; charset='", "'"}, CharsetCase{"charset=cp1256", "cp1256"},
        CharsetCase{"text/html", std::nullopt}, CharsetCase{"", std::nullopt}));

TEST(CodePageForCharsetTest, KnowsWindowsNamesAndAliases) {
    struct Case {
        std::string_view name;
        unsigned codePage;
    };
    for (const Case& c :
         {Case{"utf-8", 65001},       Case{"UTF8", 65001},         Case{"utf-16", 1200},
          Case{"UTF-16BE", 1201},     Case{"us-ascii", 20127},     Case{"iso-8859-1", 28591},
          Case{"Latin1", 28591},      Case{"iso-8859-2", 28592},   Case{"iso-8859-5", 28595},
          Case{"iso-8859-6", 28596},  Case{"ISO-8859-7", 28597},   Case{"iso-8859-8", 28598},
          Case{"iso-8859-9", 28599},  Case{"iso-8859-13", 28603},  Case{"iso-8859-15", 28605},
          Case{"windows-1250", 1250}, Case{"windows-1251", 1251},  Case{"windows-1252", 1252},
          Case{"windows-1253", 1253}, Case{"windows-1254", 1254},  Case{"windows-1255", 1255},
          Case{"Windows-1256", 1256}, Case{"windows-1257", 1257},  Case{"windows-1258", 1258},
          Case{"koi8-r", 20866},      Case{"koi8-u", 21866},       Case{"shift_jis", 932},
          Case{"euc-jp", 20932},      Case{"iso-2022-jp", 50220},  Case{"gb2312", 936},
          Case{"GBK", 936},           Case{"gb18030", 54936},      Case{"big5", 950},
          Case{"euc-kr", 949},        Case{"ks_c_5601-1987", 949}, Case{"cp1256", 1256},
          Case{"CP936", 936},         Case{"cp65001", 65001},      Case{"cp037", 37}})
        EXPECT_EQ(CodePageForCharset(c.name), c.codePage) << c.name;
}

TEST(CodePageForCharsetTest, RefusesUnknownNames) {
    for (const std::string_view name :
         {"x-nothing", "", "utf-9", "windows-1259", "cp", "cp-1256", "cp12x", "cp 1256", "cp65536",
          "cp99999999999", "cp0", "cp1", "cp3", "cp42", " utf-8"})
        EXPECT_FALSE(CodePageForCharset(name)) << name;
}

} // namespace
} // namespace ostrafel
