#include "PictureScaling.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// One source pixel's share in a resampled pixel.
struct TTap {
    int Source = 0;
    std::uint32_t Weight = 0;
};

// For each pixel along one direction of the result, the source pixels it is made
// of; every pixel's weights add up to Total.
struct TAxis {
    std::vector<std::vector<TTap>> Taps;
    std::uint32_t Total = 0;
};

// Shrinking (or keeping the size): on a common scale a source pixel is `to` long
// and a result pixel `from` long; each source pixel weighs as much as it overlaps.
TAxis AreaAxis(int from, int to) {
    TAxis axis{std::vector<std::vector<TTap>>(static_cast<std::size_t>(to)), static_cast<std::uint32_t>(from)};
    for (int i = 0; i < to; ++i) {
        const long long start = static_cast<long long>(i) * from;
        const long long end = start + from;
        for (long long j = start / to; j * to < end; ++j) {
            const long long overlap = std::min(end, (j + 1) * to) - std::max(start, j * to);
            axis.Taps[static_cast<std::size_t>(i)].push_back(
                {static_cast<int>(j), static_cast<std::uint32_t>(overlap)});
        }
    }
    return axis;
}

// Enlarging: the centre of result pixel i lies at ((2i + 1) * from - to) / (2 * to)
// in source pixels; it mixes the two source pixels around it, edges repeated.
TAxis LinearAxis(int from, int to) {
    const long long twice = 2LL * to;
    TAxis axis{std::vector<std::vector<TTap>>(static_cast<std::size_t>(to)), static_cast<std::uint32_t>(twice)};
    for (int i = 0; i < to; ++i) {
        const long long position = (2LL * i + 1) * from - to;
        const long long left = position >= 0 ? position / twice : -1;
        const long long fraction = position - left * twice;
        const auto clamp = [from](long long j) { return static_cast<int>(std::clamp(j, 0LL, from - 1LL)); };
        auto& taps = axis.Taps[static_cast<std::size_t>(i)];
        taps.push_back({clamp(left), static_cast<std::uint32_t>(twice - fraction)});
        if (fraction != 0)
            taps.push_back({clamp(left + 1), static_cast<std::uint32_t>(fraction)});
    }
    return axis;
}

TAxis MakeAxis(int from, int to) {
    return to <= from ? AreaAxis(from, to) : LinearAxis(from, to);
}

// Blue, green, red and alpha, weighted and summed. Down, a sum is at most
// 255 * 2 * kMaxScaledSide; across, times as much again.
using TColumnSums = std::array<std::uint32_t, 4>;
using TSums = std::array<std::uint64_t, 4>;

void Accumulate(TColumnSums& sum, std::uint32_t pixel, std::uint32_t weight) {
    for (std::size_t c = 0; c < 4; ++c)
        sum[c] += ((pixel >> (8 * c)) & 0xFF) * weight;
}

void Accumulate(TSums& sum, const TColumnSums& value, std::uint32_t weight) {
    for (std::size_t c = 0; c < 4; ++c)
        sum[c] += std::uint64_t{value[c]} * weight;
}

}  // namespace

TBitmapPixels ScalePicture(const TBitmapPixels& picture, int width, int height) {
    const auto fits = [](int side) { return side > 0 && side <= kMaxScaledSide; };
    if (!fits(picture.Width) || !fits(picture.Height) || !fits(width) || !fits(height) ||
        picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        return {};
    const TAxis across = MakeAxis(picture.Width, width);
    const TAxis down = MakeAxis(picture.Height, height);
    const auto w = static_cast<std::size_t>(width);
    const auto sourceWidth = static_cast<std::size_t>(picture.Width);

    // One result row at a time: down first, every source column of the rows it is
    // made of, then across. The sums stay unscaled until the end.
    const std::uint64_t total = std::uint64_t{across.Total} * down.Total;
    TBitmapPixels result{width, height, std::vector<std::uint32_t>(w * static_cast<std::size_t>(height))};
    std::vector<TColumnSums> columns(sourceWidth);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        std::fill(columns.begin(), columns.end(), TColumnSums{});
        for (const TTap& tap : down.Taps[y]) {
            const std::uint32_t* source = &picture.Pixels[static_cast<std::size_t>(tap.Source) * sourceWidth];
            for (std::size_t x = 0; x < sourceWidth; ++x)
                Accumulate(columns[x], source[x], tap.Weight);
        }
        for (std::size_t x = 0; x < w; ++x) {
            TSums sum{};
            for (const TTap& tap : across.Taps[x])
                Accumulate(sum, columns[static_cast<std::size_t>(tap.Source)], tap.Weight);
            std::uint32_t pixel = 0;
            for (std::size_t c = 0; c < 4; ++c)
                pixel |= static_cast<std::uint32_t>((sum[c] + total / 2) / total) << (8 * c);
            result.Pixels[y * w + x] = pixel;
        }
    }
    return result;
}
