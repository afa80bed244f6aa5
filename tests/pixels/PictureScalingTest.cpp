// Resampling: averages over covered areas when shrinking, linear between pixel
// centres when enlarging, each worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Logo.h"
#include "PictureScaling.h"
#include "PngDecoder.h"

namespace {

// Opaque grey pixels of the given levels.
std::vector<std::uint32_t> Greys(std::initializer_list<unsigned> levels) {
    std::vector<std::uint32_t> pixels;
    for (unsigned level : levels)
        pixels.push_back(0xFF000000u | level << 16 | level << 8 | level);
    return pixels;
}

TEST(PictureScaling, Resamples) {
    struct Case {
        const char* name;
        TBitmapPixels picture;
        int width, height;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"same size", {2, 2, {0x11223344, 0x55667788, 0x99AABBCC, 0xFF000000}}, 2, 2,
         {0x11223344, 0x55667788, 0x99AABBCC, 0xFF000000}},
        // Each channel the mean of its 2 x 2 block.
        {"halved", {4, 2, Greys({0, 10, 100, 200, 20, 30, 60, 40})}, 2, 1, Greys({15, 100})},
        // A result pixel covers one and a half source pixels: (2 * 0 + 90) / 3 and (90 + 2 * 180) / 3.
        {"three to two", {3, 1, Greys({0, 90, 180})}, 2, 1, Greys({30, 150})},
        {"three to two, down", {1, 3, Greys({0, 90, 180})}, 1, 2, Greys({30, 150})},
        // Result centres at -0.25, 0.25, 0.75 and 1.25 source pixels; the edges repeat.
        {"doubled", {2, 1, Greys({0, 200})}, 4, 1, Greys({0, 50, 150, 200})},
        {"doubled down", {1, 2, Greys({0, 200})}, 1, 4, Greys({0, 50, 150, 200})},
        // Premultiplied: white beside transparency becomes half-transparent white,
        // not a dark fringe. 255 / 2 rounds up.
        {"edge against transparency", {2, 1, {0xFFFFFFFF, 0x00000000}}, 1, 1, {0x80808080}},
        {"one pixel everywhere", {1, 1, {0x80402010}}, 3, 2, std::vector<std::uint32_t>(6, 0x80402010)},
        // Shrunk across, enlarged down.
        {"both ways", {2, 1, Greys({100, 50})}, 1, 2, Greys({75, 75})},
    };
    for (const Case& c : cases) {
        const TBitmapPixels scaled = ScalePicture(c.picture, c.width, c.height);
        EXPECT_EQ(scaled.Width, c.width) << c.name;
        EXPECT_EQ(scaled.Height, c.height) << c.name;
        EXPECT_EQ(scaled.Pixels, c.expected) << c.name;
    }
}

TEST(PictureScaling, RefusesWhatCannotBeScaled) {
    const TBitmapPixels one{1, 1, {0xFF000000}};
    struct Case {
        const char* name;
        TBitmapPixels picture;
        int width, height;
    };
    const Case cases[] = {
        {"empty picture", {}, 10, 10},
        {"fewer pixels than the size says", {2, 2, {1, 2, 3}}, 1, 1},
        {"negative size", {-1, 1, {1}}, 1, 1},
        {"no width", one, 0, 1},
        {"negative height", one, 1, -5},
        {"too wide", one, kMaxScaledSide + 1, 1},
        {"too tall", one, 1, kMaxScaledSide + 1},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(ScalePicture(c.picture, c.width, c.height).Empty()) << c.name;
}

// The logo as the window shows it: 256 pixels into 157. No colour exceeds its
// alpha, and the covered area keeps its opacity on the whole.
TEST(PictureScaling, TheLogoIntoItsBox) {
    const TBitmapPixels logo = DecodePng(LogoPng()).Picture;
    const TBitmapPixels shown = ScalePicture(logo, 157, 157);
    ASSERT_EQ(shown.Pixels.size(), 157u * 157u);
    const auto alpha = [](std::uint32_t pixel) { return pixel >> 24; };
    for (std::uint32_t pixel : shown.Pixels) {
        for (int shift : {0, 8, 16})
            ASSERT_LE((pixel >> shift) & 0xFF, alpha(pixel)) << std::hex << pixel;
    }
    const auto meanAlpha = [&](const TBitmapPixels& p) {
        double sum = 0;
        for (std::uint32_t pixel : p.Pixels)
            sum += alpha(pixel);
        return sum / static_cast<double>(p.Pixels.size());
    };
    EXPECT_NEAR(meanAlpha(shown), meanAlpha(logo), 0.5);
    EXPECT_EQ(shown.Pixels.front(), 0u);  // the transparent corner stays transparent
}

}  // namespace
