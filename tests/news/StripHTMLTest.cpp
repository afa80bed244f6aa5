#include <gtest/gtest.h>

#include "StripHTML.h"

namespace ostrafel {
namespace {

struct StripCase {
    std::u16string_view input;
    std::u16string_view expected;
};

class StripHTMLTest : public testing::TestWithParam<StripCase> {};

TEST_P(StripHTMLTest, ReducesMarkupToText) {
    EXPECT_EQ(StripHTMLImproved(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, StripHTMLTest,
    testing::Values(StripCase{u"", u""}, StripCase{u"<p> <br> </p>\r\n<br/>", u""},
                    StripCase{u"a<br>b", u"a\r\nb"}, StripCase{u"a<BR/>b", u"a\r\nb"},
                    StripCase{u"a<br />b", u"a\r\nb"}, StripCase{u"a<bR class=x>b", u"a\r\nb"},
                    StripCase{u"a<break>b", u"a\r\nb"}, StripCase{u"a<b>b</b>", u"ab"},
                    StripCase{u"<p>First</p><p>Second</p>", u"FirstSecond"},
                    StripCase{u"x > y", u"x  y"}, StripCase{u"a <b", u"a"},
                    StripCase{u"<a <br>", u""}, StripCase{u"x<a <br>y", u"x\r\ny"},
                    StripCase{u"<!-- a > b -->", u"b --"}, StripCase{u"line<br", u"line"},
                    StripCase{u"x<b", u"x"}, StripCase{u"<", u""}, StripCase{u"x<", u"x"},
                    StripCase{u"<style>p{}</style>t", u"p{}t"}));

INSTANTIATE_TEST_SUITE_P(
    Entities, StripHTMLTest,
    testing::Values(StripCase{u"&nbsp;a&nbsp;", u"a"}, StripCase{u"a&nbsp;&nbsp;b", u"a  b"},
                    StripCase{u"A&NBSP;B", u"A&NBSP;B"}, StripCase{u"A&Nbsp;B", u"A&Nbsp;B"},
                    StripCase{u"a&nbspb", u"a&nbspb"}, StripCase{u"&&nbsp;nbsp;", u"& nbsp;"},
                    StripCase{u"a&nb<i>sp;b", u"a b"}, StripCase{u"<i title=&nbsp;>x", u"x"},
                    StripCase{u"&amp;&lt;&#160;", u"&amp;&lt;&#160;"}));

// Only characters up to U+0020 are trimmed; inner white space stays as it came.
INSTANTIATE_TEST_SUITE_P(WhiteSpace, StripHTMLTest,
                         testing::Values(StripCase{u"\t a\r\n\tb \r\n", u"a\r\n\tb"},
                                         StripCase{u"\u00A0a\u00A0", u"\u00A0a\u00A0"},
                                         StripCase{u"\uFEFFa", u"\uFEFFa"},
                                         StripCase{u"\u0633\u0644\u0627\u0645<br>\U0001F600",
                                                   u"\u0633\u0644\u0627\u0645\r\n\U0001F600"}));

} // namespace
} // namespace ostrafel
