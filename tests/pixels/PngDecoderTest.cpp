// The PNG reader: every filter, colour type and bit depth against pixels worked
// out by hand, the program's own logo, and damaged files that must fail cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Logo.h"
#include "PngDecoder.h"
#include "PngWriter.h"

namespace {

using namespace pngtest;

enum ColorType { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

std::vector<std::uint32_t> DecodedPixels(const Bytes& file) {
    const TPngDecoding decoding = DecodePng(file);
    EXPECT_EQ(decoding.Status, PngStatus::Decoded);
    return decoding.Picture.Pixels;
}

// A 3 x 3 picture, straight RGBA as stored, and each pixel premultiplied as
// 0xAARRGGBB: channel * alpha / 255, rounded to nearest. Around the centre pixel
// the Paeth predictor meets ties: in red, up and up-left are as near (up wins),
// in blue, left and up-left (left wins).
struct TStoredPixel {
    unsigned char red, green, blue, alpha;
    std::uint32_t premultiplied;
};
const TStoredPixel kPicture[9] = {
    {100, 20, 100, 255, 0xFF641464}, {80, 100, 110, 128, 0x80283237}, {255, 255, 255, 0, 0x00000000},
    {110, 0, 80, 255, 0xFF6E0050},   {250, 240, 230, 255, 0xFFFAF0E6}, {1, 2, 3, 4, 0x04000000},
    {128, 128, 128, 255, 0xFF808080}, {30, 60, 90, 51, 0x33060C12},  {255, 0, 0, 255, 0xFFFF0000},
};

Bytes StoredBytes(bool withAlpha) {
    Bytes bytes;
    for (const TStoredPixel& p : kPicture) {
        bytes.insert(bytes.end(), {p.red, p.green, p.blue});
        if (withAlpha)
            bytes.push_back(p.alpha);
    }
    return bytes;
}

std::vector<std::uint32_t> ExpectedPixels(bool withAlpha) {
    std::vector<std::uint32_t> pixels;
    for (const TStoredPixel& p : kPicture)
        pixels.push_back(withAlpha ? p.premultiplied
                                   : 0xFF000000u | std::uint32_t{p.red} << 16 | std::uint32_t{p.green} << 8 | p.blue);
    return pixels;
}

TEST(PngDecoder, EachFilterTypeForRgbAndRgba) {
    for (bool withAlpha : {false, true}) {
        const std::size_t step = withAlpha ? 4 : 3;
        for (int filter = 0; filter <= 4; ++filter) {
            SCOPED_TRACE(testing::Message() << "filter " << filter << (withAlpha ? " RGBA" : " RGB"));
            const Bytes rows = FilterRows(StoredBytes(withAlpha), 3 * step, step, filter);
            const TPngDecoding decoding = DecodePng(SimplePng(3, 3, 8, withAlpha ? kRgba : kRgb, rows));
            ASSERT_EQ(decoding.Status, PngStatus::Decoded);
            EXPECT_EQ(decoding.Picture.Width, 3);
            EXPECT_EQ(decoding.Picture.Height, 3);
            EXPECT_EQ(decoding.Picture.Pixels, ExpectedPixels(withAlpha));
        }
    }
}

// Each row's filter applies to it alone, against the unfiltered row above.
TEST(PngDecoder, DifferentFiltersRowByRow) {
    const Bytes stored = StoredBytes(true);
    const std::size_t rowBytes = 12;
    const int filters[3] = {4, 3, 1};
    Bytes rows;
    for (std::size_t y = 0; y < 3; ++y) {
        const Bytes all = FilterRows(stored, rowBytes, 4, filters[y]);
        rows.insert(rows.end(), all.begin() + static_cast<std::ptrdiff_t>(y * (rowBytes + 1)),
                    all.begin() + static_cast<std::ptrdiff_t>((y + 1) * (rowBytes + 1)));
    }
    EXPECT_EQ(DecodedPixels(SimplePng(3, 3, 8, kRgba, rows)), ExpectedPixels(true));
}

TEST(PngDecoder, ColourTypesAndBitDepths) {
    const Bytes palette = Chunk("PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255});
    struct Case {
        const char* name;
        std::uint32_t width;
        int bitDepth, colorType;
        Bytes rows;
        std::vector<Bytes> extra;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"grey 8", 3, 8, kGrey, {0, 0x00, 0x80, 0xFF}, {}, {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
        // Ten pixels in two bytes, the last six bits unused.
        {"grey 1", 10, 1, kGrey, {0, 0b10100000, 0b11000000}, {},
         {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
          0xFFFFFFFF, 0xFFFFFFFF}},
        {"grey 2", 3, 2, kGrey, {0, 0b00011100}, {}, {0xFF000000, 0xFF555555, 0xFFFFFFFF}},
        {"grey 4", 2, 4, kGrey, {0, 0x7F}, {}, {0xFF777777, 0xFFFFFFFF}},
        // 0x1234 * 255 / 65535 = 18.13
        {"grey 16", 2, 16, kGrey, {0, 0x12, 0x34, 0xFF, 0xFF}, {}, {0xFF121212, 0xFFFFFFFF}},
        {"grey 8, transparent grey", 2, 8, kGrey, {0, 0x00, 0x80}, {Chunk("tRNS", {0x00, 0x80})},
         {0xFF000000, 0x00000000}},
        // The key compares all 16 bits.
        {"grey 16, transparent grey", 2, 16, kGrey, {0, 0x12, 0x34, 0x12, 0x35}, {Chunk("tRNS", {0x12, 0x34})},
         {0x00000000, 0xFF121212}},
        {"grey and alpha 8", 2, 8, kGreyAlpha, {0, 200, 128, 50, 255}, {}, {0x80646464, 0xFF323232}},
        // 0xFF00 -> 254, 0x8000 -> 128; 254 * 128 / 255 = 127.498
        {"grey and alpha 16", 1, 16, kGreyAlpha, {0, 0xFF, 0x00, 0x80, 0x00}, {}, {0x807F7F7F}},
        // 0x8080 * 255 / 65535 = 128.0
        {"RGB 16", 1, 16, kRgb, {0, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80}, {}, {0xFFFF0080}},
        {"RGB 8, transparent colour", 2, 8, kRgb, {0, 1, 2, 3, 1, 2, 4}, {Chunk("tRNS", {0, 1, 0, 2, 0, 3})},
         {0x00000000, 0xFF010204}},
        {"RGBA 16", 1, 16, kRgba, {0, 0xFF, 0xFF, 0, 0, 0, 0, 0x80, 0x00}, {}, {0x80800000}},
        {"palette 8 with alpha", 3, 8, kPalette, {0, 0, 1, 2}, {palette, Chunk("tRNS", {0x80, 0x00})},
         {0x80800000, 0x00000000, 0xFF0000FF}},
        {"palette 1", 3, 1, kPalette, {0, 0b10100000}, {Chunk("PLTE", {10, 20, 30, 40, 50, 60})},
         {0xFF28323C, 0xFF0A141E, 0xFF28323C}},
        {"palette 4", 2, 4, kPalette, {0, 0x21}, {palette}, {0xFF0000FF, 0xFF00FF00}},
        // An ancillary chunk that the reader does not know is skipped.
        {"unknown ancillary chunk", 1, 8, kGrey, {0, 7}, {Chunk("zzZz", {1, 2, 3})}, {0xFF070707}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = Png({Chunk("IHDR", Header(c.width, 1, c.bitDepth, c.colorType))});
        for (const Bytes& chunk : c.extra)
            file.insert(file.end(), chunk.begin(), chunk.end());
        for (const Bytes& chunk : {Chunk("IDAT", Deflate(c.rows)), Chunk("IEND", {})})
            file.insert(file.end(), chunk.begin(), chunk.end());
        EXPECT_EQ(DecodedPixels(file), c.expected);
    }
}

// The pixel data may be cut into IDAT chunks anywhere, empty ones included.
TEST(PngDecoder, ImageDataSplitOverChunks) {
    const Bytes data = Deflate(FilterRows(StoredBytes(true), 12, 4, 4));
    const std::size_t half = data.size() / 2;
    const Bytes file = Png({Chunk("IHDR", Header(3, 3, 8, kRgba)), Chunk("IDAT", {}),
                            Chunk("IDAT", Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(half))),
                            Chunk("IDAT", Bytes(data.begin() + static_cast<std::ptrdiff_t>(half), data.end())),
                            Chunk("IDAT", {}), Chunk("tEXt", {'a', 0, 'b'}), Chunk("IEND", {}), Bytes{1, 2, 3}});
    EXPECT_EQ(DecodedPixels(file), ExpectedPixels(true));
}

// Values read from the logo with an independent decoder, premultiplied by hand.
TEST(PngDecoder, TheLogo) {
    const TPngDecoding logo = DecodePng(LogoPng());
    ASSERT_EQ(logo.Status, PngStatus::Decoded);
    ASSERT_EQ(logo.Picture.Width, 256);
    ASSERT_EQ(logo.Picture.Height, 256);
    const auto at = [&](int x, int y) { return logo.Picture.Pixels[static_cast<std::size_t>(y * 256 + x)]; };
    EXPECT_EQ(at(0, 0), 0x00000000u);        // transparent corner
    EXPECT_EQ(at(128, 128), 0xFF3A99ECu);    // 58 153 236
    EXPECT_EQ(at(45, 150), 0xFF083278u);     // 8 50 120
    EXPECT_EQ(at(126, 7), 0x95062455u);      // 11 61 145, alpha 149
}

const Bytes kGood = SimplePng(3, 3, 8, kRgba, FilterRows(StoredBytes(true), 12, 4, 1));

// Any file cut short fails as truncated.
TEST(PngDecoderFailure, EveryTruncation) {
    for (std::size_t size = 8; size < kGood.size(); ++size) {
        EXPECT_EQ(DecodePng(Bytes(kGood.begin(), kGood.begin() + static_cast<std::ptrdiff_t>(size))).Status,
                  PngStatus::Truncated)
            << size << " bytes";
    }
}

// Any single damaged byte is noticed: the signature, a length, a type, a CRC or
// the data that the CRC covers.
TEST(PngDecoderFailure, EveryDamagedByte) {
    for (std::size_t at = 0; at < kGood.size(); ++at) {
        for (int flip : {0x01, 0x20, 0x80}) {
            Bytes damaged = kGood;
            damaged[at] = static_cast<unsigned char>(damaged[at] ^ flip);
            const PngStatus status = DecodePng(damaged).Status;
            EXPECT_NE(status, PngStatus::Decoded) << "byte " << at << " ^ " << flip;
            if (at < 8) {
                EXPECT_EQ(status, PngStatus::NotPng) << "byte " << at;
            }
        }
    }
}

TEST(PngDecoderFailure, StructureAndHeader) {
    const Bytes rows = {0, 1, 2, 3, 4};  // one RGBA pixel
    const Bytes idat = Chunk("IDAT", Deflate(rows));
    const Bytes iend = Chunk("IEND", {});
    const Bytes ihdr = Chunk("IHDR", Header(1, 1, 8, kRgba));
    Bytes badCrc = ihdr;
    badCrc.back() ^= 1;
    Bytes shortHeader = Header(1, 1, 8, kRgba);
    shortHeader.pop_back();
    struct Case {
        const char* name;
        Bytes file;
        PngStatus expected;
    };
    const Case cases[] = {
        {"nothing", {}, PngStatus::NotPng},
        {"another format", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, PngStatus::NotPng},
        {"signature only", Png({}), PngStatus::Truncated},
        {"no IEND", Png({ihdr, idat}), PngStatus::Truncated},
        {"bad CRC", Png({badCrc, idat, iend}), PngStatus::BadCrc},
        {"IHDR not first", Png({Chunk("tEXt", {'a', 0}), ihdr, idat, iend}), PngStatus::BadHeader},
        {"IHDR twice", Png({ihdr, ihdr, idat, iend}), PngStatus::BadHeader},
        {"IHDR short", Png({Chunk("IHDR", shortHeader), idat, iend}), PngStatus::BadHeader},
        {"width 0", Png({Chunk("IHDR", Header(0, 1, 8, kRgba)), idat, iend}), PngStatus::BadHeader},
        {"height 2^31", Png({Chunk("IHDR", Header(1, 0x80000000u, 8, kRgba)), idat, iend}), PngStatus::BadHeader},
        {"colour type 5", Png({Chunk("IHDR", Header(1, 1, 8, 5)), idat, iend}), PngStatus::BadHeader},
        {"RGB at 4 bits", Png({Chunk("IHDR", Header(1, 1, 4, kRgb)), idat, iend}), PngStatus::BadHeader},
        {"palette at 16 bits", Png({Chunk("IHDR", Header(1, 1, 16, kPalette)), idat, iend}), PngStatus::BadHeader},
        {"grey at 3 bits", Png({Chunk("IHDR", Header(1, 1, 3, kGrey)), idat, iend}), PngStatus::BadHeader},
        {"interlace method 2", Png({Chunk("IHDR", Header(1, 1, 8, kRgba, 2)), idat, iend}), PngStatus::BadHeader},
        {"interlaced", Png({Chunk("IHDR", Header(1, 1, 8, kRgba, 1)), idat, iend}), PngStatus::Unsupported},
        {"unknown critical chunk", Png({ihdr, Chunk("ABCD", {}), idat, iend}), PngStatus::Unsupported},
        {"type not letters", Png({ihdr, Chunk("ab1D", {}), idat, iend}), PngStatus::BadChunk},
        {"wider than the limit", Png({Chunk("IHDR", Header(4097, 1, 8, kRgba)), idat, iend}), PngStatus::TooLarge},
        {"taller than the limit", Png({Chunk("IHDR", Header(1, 4097, 8, kRgba)), idat, iend}), PngStatus::TooLarge},
        {"no IDAT", Png({ihdr, iend}), PngStatus::BadChunk},
        {"IDAT chunks apart", Png({ihdr, idat, Chunk("tEXt", {'a', 0}), idat, iend}), PngStatus::BadChunk},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePng(c.file).Status, c.expected) << c.name;
}

TEST(PngDecoderFailure, PaletteAndTransparency) {
    const Bytes palette = Chunk("PLTE", {1, 2, 3, 4, 5, 6});
    const Bytes idat = Chunk("IDAT", Deflate({0, 0}));
    const Bytes iend = Chunk("IEND", {});
    const auto withHeader = [&](int bitDepth, int colorType, std::initializer_list<Bytes> chunks) {
        Bytes file = Png({Chunk("IHDR", Header(1, 1, bitDepth, colorType))});
        for (const Bytes& chunk : chunks)
            file.insert(file.end(), chunk.begin(), chunk.end());
        return file;
    };
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"palette picture without a palette", withHeader(8, kPalette, {idat, iend})},
        {"palette after the data", withHeader(8, kPalette, {idat, palette, iend})},
        {"two palettes", withHeader(8, kPalette, {palette, palette, idat, iend})},
        {"palette of partial entries", withHeader(8, kPalette, {Chunk("PLTE", {1, 2, 3, 4}), idat, iend})},
        {"empty palette", withHeader(8, kPalette, {Chunk("PLTE", {}), idat, iend})},
        {"more entries than 1 bit names", withHeader(1, kPalette, {Chunk("PLTE", Bytes(9, 0)), idat, iend})},
        {"257 entries", withHeader(8, kPalette, {Chunk("PLTE", Bytes(3 * 257, 0)), idat, iend})},
        {"palette in a grey picture", withHeader(8, kGrey, {palette, idat, iend})},
        {"transparency before the palette", withHeader(8, kPalette, {Chunk("tRNS", {0}), palette, idat, iend})},
        {"more alphas than entries", withHeader(8, kPalette, {palette, Chunk("tRNS", {0, 0, 0}), idat, iend})},
        {"transparency twice", withHeader(8, kPalette, {palette, Chunk("tRNS", {0}), Chunk("tRNS", {0}), idat, iend})},
        {"transparency after the data", withHeader(8, kPalette, {palette, idat, Chunk("tRNS", {0}), iend})},
        {"transparency in an RGBA picture", withHeader(8, kRgba, {Chunk("tRNS", Bytes(6, 0)), idat, iend})},
        {"grey key of 3 bytes", withHeader(8, kGrey, {Chunk("tRNS", {0, 0, 0}), idat, iend})},
        {"RGB key of 2 bytes", withHeader(8, kRgb, {Chunk("tRNS", {0, 0}), idat, iend})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePng(c.file).Status, PngStatus::BadChunk) << c.name;
}

TEST(PngDecoderFailure, ImageData) {
    const Bytes rows = FilterRows(StoredBytes(true), 12, 4, 2);
    const Bytes data = Deflate(rows);
    Bytes badFilter = rows;
    badFilter[13] = 5;  // the second row's filter
    const auto file = [](const Bytes& idat, int colorType = kRgba, std::initializer_list<Bytes> extra = {}) {
        Bytes out = Png({Chunk("IHDR", Header(3, 3, 8, colorType))});
        for (const Bytes& chunk : extra)
            out.insert(out.end(), chunk.begin(), chunk.end());
        for (const Bytes& chunk : {Chunk("IDAT", idat), Chunk("IEND", {})})
            out.insert(out.end(), chunk.begin(), chunk.end());
        return out;
    };
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"one byte short", file(Deflate(Bytes(rows.begin(), rows.end() - 1)))},
        {"one byte too many", file(Deflate([&] { Bytes more = rows; more.push_back(0); return more; }()))},
        {"unknown filter", file(Deflate(badFilter))},
        {"stream cut short", file(Bytes(data.begin(), data.end() - 6))},
        {"stream with a bad check value", file([&] { Bytes bad = data; bad.back() ^= 1; return bad; }())},
        {"not a zlib stream", file(rows)},
        {"empty", file({})},
        // Index 3 of a palette of 3 entries.
        {"index past the palette", file(Deflate({0, 0, 1, 3, 0, 0, 1, 2, 0, 2, 1, 0}), kPalette,
                                        {Chunk("PLTE", Bytes(9, 7))})},
        // Ten megabytes from a few kilobytes, for a 3 x 3 picture.
        {"inflates far beyond the picture", file(Deflate(Bytes(10 << 20, 0)))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePng(c.file).Status, PngStatus::BadImageData) << c.name;
}

// The header alone does not make the reader allocate: the largest picture with a
// few bytes of data fails as soon as they end.
TEST(PngDecoderFailure, LargestHeaderWithLittleData) {
    const Bytes file = Png({Chunk("IHDR", Header(4096, 4096, 16, kRgba)), Chunk("IDAT", Deflate(Bytes(1000, 0))),
                            Chunk("IEND", {})});
    EXPECT_EQ(DecodePng(file).Status, PngStatus::BadImageData);
}

}  // namespace
