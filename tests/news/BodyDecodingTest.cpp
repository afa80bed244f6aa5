#include <gtest/gtest.h>

#include "BodyDecoding.h"
#include "Charset.h"
#include "Compress.h"

namespace ostrafel {
namespace {

using namespace std::string_literals;
using testing_support::Compress;

const std::string kText = "<p>\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 news</p>";

TEST(InflateTest, InflatesGzipAndZlibStreams) {
    EXPECT_EQ(Inflate(Compress(kText, Compression::Gzip), Compression::Gzip), kText);
    EXPECT_EQ(Inflate(Compress(kText, Compression::Zlib), Compression::Zlib), kText);
    EXPECT_EQ(Inflate(Compress("", Compression::Gzip), Compression::Gzip), "");
    // Bytes after the end of the stream are not looked at.
    EXPECT_EQ(Inflate(Compress(kText, Compression::Gzip) + "tail", Compression::Gzip), kText);
}

TEST(InflateTest, RefusesCorruptAndTruncatedData) {
    const std::string gzip = Compress(kText, Compression::Gzip);
    const std::string zlib = Compress(kText, Compression::Zlib);
    std::string badCrc = gzip;
    badCrc[badCrc.size() - 6] ^= 0x55;
    std::string badAdler = zlib;
    badAdler.back() ^= 0x55;
    struct Case {
        std::string data;
        Compression compression;
    };
    for (const Case& c : {Case{gzip.substr(0, gzip.size() - 1), Compression::Gzip},
                          Case{gzip.substr(0, 10), Compression::Gzip}, Case{"", Compression::Gzip},
                          Case{kText, Compression::Gzip}, Case{badCrc, Compression::Gzip},
                          Case{badAdler, Compression::Zlib}, Case{gzip, Compression::Zlib},
                          Case{zlib, Compression::Gzip},
                          Case{zlib.substr(2), Compression::Zlib}}) // raw deflate is no zlib stream
        EXPECT_THROW(Inflate(c.data, c.compression), HttpError);
}

TEST(InflateTest, StopsAtSixteenMebibytes) {
    const std::string full(kMaxBodyBytes, 'a');
    EXPECT_EQ(Inflate(Compress(full, Compression::Gzip), Compression::Gzip).size(), kMaxBodyBytes);
    // A small bomb: a few kilobytes that would inflate beyond the limit.
    const std::string bomb = Compress(full + 'a', Compression::Zlib);
    EXPECT_LT(bomb.size(), 64u * 1024);
    EXPECT_THROW(Inflate(bomb, Compression::Zlib), HttpError);
}

TEST(AppendBodyPieceTest, StopsAtSixteenMebibytes) {
    std::string body(kMaxBodyBytes - 2, 'x');
    AppendBodyPiece(body, "ab");
    EXPECT_EQ(body.size(), kMaxBodyBytes);
    EXPECT_THROW(AppendBodyPiece(body, "c"), HttpError);
    EXPECT_EQ(body.size(), kMaxBodyBytes);
}

TEST(DecodeContentTest, MatchesTheEncodingExactly) {
    const std::string gzip = Compress(kText, Compression::Gzip);
    EXPECT_EQ(DecodeContent({{"Content-Encoding", "gzip"}}, gzip), kText);
    EXPECT_EQ(DecodeContent({{"content-encoding", "deflate"}}, Compress(kText, Compression::Zlib)),
              kText);
    for (const std::string_view encoding : {"GZIP", "x-gzip", "gzip, identity", " gzip", "br", ""})
        EXPECT_EQ(DecodeContent({{"Content-Encoding", std::string(encoding)}}, gzip), gzip)
            << encoding;
    EXPECT_EQ(DecodeContent({}, gzip), gzip);
    EXPECT_EQ(DecodeContent({{"Content-Encoding", "gzip"}}, ""), "");
    EXPECT_THROW(DecodeContent({{"Content-Encoding", "gzip"}}, kText), HttpError);
}

TEST(BodyCodePageTest, UsesTheCharsetOfContentType) {
    struct Case {
        std::string_view contentType;
        unsigned codePage;
    };
    for (const Case& c :
         {Case{"text/html; charset=windows-1256", 1256},
          Case{"text/html;charset='utf-8'", kCodePageUtf8},
          Case{"text/html; charset=a=b", kCodePageUtf8},
          Case{"text/html; foo=1; charset=iso-8859-6", 28596},
          Case{"text/html; charset=UTF-8", kCodePageUtf8}, Case{"text/html", kCodePageUtf8}})
        EXPECT_EQ(BodyCodePage({{"Content-Type", std::string(c.contentType)}}), c.codePage)
            << c.contentType;
    EXPECT_EQ(BodyCodePage({}), kCodePageUtf8);
    EXPECT_THROW(BodyCodePage({{"Content-Type", "text/html; charset=x-nothing"}}), HttpError);
}

TEST(SkipByteOrderMarkTest, SkipsTheMarkOfTheChosenEncodingOnly) {
    EXPECT_EQ(SkipByteOrderMark("\xEF\xBB\xBFx", kCodePageUtf8), "x");
    EXPECT_EQ(SkipByteOrderMark("\xEF\xBB\xBF\xEF\xBB\xBFx", kCodePageUtf8), "\xEF\xBB\xBFx");
    EXPECT_EQ(SkipByteOrderMark("\xFF\xFEx", kCodePageUtf16LE), "x");
    EXPECT_EQ(SkipByteOrderMark("\xFE\xFFx", kCodePageUtf16BE), "x");
    EXPECT_EQ(SkipByteOrderMark("\xFF\xFEx", kCodePageUtf8), "\xFF\xFEx");
    EXPECT_EQ(SkipByteOrderMark("\xEF\xBB\xBFx", 1256), "\xEF\xBB\xBFx");
    EXPECT_EQ(SkipByteOrderMark("\xEF\xBB", kCodePageUtf8), "\xEF\xBB");
}

struct DecodeCase {
    std::string contentType;
    std::string body;
    std::u16string text;
};

class DecodeBodyTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeBodyTest, DecodesTheBody) {
    HttpResponse response{200, {{"Content-Type", GetParam().contentType}}, GetParam().body};
    EXPECT_EQ(DecodeBody(response), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Portable, DecodeBodyTest,
    testing::Values(DecodeCase{"text/html", "\xEF\xBB\xBF\xD8\xB3!", u"\u0633!"},
                    DecodeCase{"text/html; charset=utf-8", "a\xF0\x9F\x98\x80", u"a\U0001F600"},
                    DecodeCase{"text/html; charset=utf-16", "\xFF\xFE\x33\x06!\x00"s, u"\u0633!"},
                    DecodeCase{"text/html; charset=utf-16", "\x33\x06!\x00"s, u"\u0633!"},
                    DecodeCase{"text/html; charset=utf-16be", "\xFE\xFF\x06\x33\x00!"s, u"\u0633!"},
                    DecodeCase{"text/html; charset=utf-16", "\x33\x06!", u"\u0633\uFFFD"},
                    DecodeCase{"text/html; charset=iso-8859-1", "caf\xE9", u"caf\u00E9"},
                    DecodeCase{"text/html; charset=us-ascii", "plain", u"plain"},
                    DecodeCase{"text/html", "", u""}));

#ifdef _WIN32
// The platform converts the other code pages.
INSTANTIATE_TEST_SUITE_P(
    Platform, DecodeBodyTest,
    testing::Values(DecodeCase{"text/html; charset=windows-1256", "\xD3\xE1\xC7\xE3",
                               u"\u0633\u0644\u0627\u0645"},
                    DecodeCase{"text/html; foo=1; charset=iso-8859-6", "\xD3\xE4\xC7\xE5",
                               u"\u0633\u0644\u0627\u0645"},
                    DecodeCase{"text/html; charset=koi8-r", "\xED\xC9\xD2", u"\u041C\u0438\u0440"},
                    DecodeCase{"text/html; charset=windows-1251", "\xCC\xE8\xF0",
                               u"\u041C\u0438\u0440"},
                    DecodeCase{"text/html; charset=cp1253", "\xE1", u"\u03B1"},
                    DecodeCase{"text/html; charset=shift_jis", "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
                    DecodeCase{"text/html; charset=gbk", "\xD6\xD0", u"\u4E2D"},
                    DecodeCase{"text/html; charset=big5", "\xA4\xA4", u"\u4E2D"},
                    DecodeCase{"text/html; charset=euc-kr", "\xC7\xD1", u"\uD55C"},
                    DecodeCase{"text/html; charset=utf-8",
                               "a\xFF"
                               "b",
                               u"a\uFFFDb"}));
#else
INSTANTIATE_TEST_SUITE_P(Invalid, DecodeBodyTest,
                         testing::Values(DecodeCase{"text/html; charset=utf-8",
                                                    "a\xFF"
                                                    "b",
                                                    u"a\uFFFDb"},
                                         DecodeCase{"text/html", "\xC0\xAF\xED\xA0\x80",
                                                    u"\uFFFD\uFFFD\uFFFD"}));
#endif

TEST(DecodeBodyTest, DecompressesBeforeDecoding) {
    HttpResponse response{200,
                          {{"Content-Encoding", "gzip"}, {"Content-Type", "text/html"}},
                          Compress("\xEF\xBB\xBF<b>x</b>", Compression::Gzip)};
    EXPECT_EQ(DecodeBody(response), u"<b>x</b>");
}

TEST(DecodeBodyTest, FailsForUnknownCharsetsAndCorruptData) {
    EXPECT_THROW(DecodeBody({200, {{"Content-Type", "text/html; charset=x-nothing"}}, "x"}),
                 HttpError);
    EXPECT_THROW(DecodeBody({200, {{"Content-Encoding", "deflate"}}, "not zlib"}), HttpError);
}

} // namespace
} // namespace ostrafel
