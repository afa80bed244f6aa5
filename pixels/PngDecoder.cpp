#include "PngDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "InflateStream.h"
#include "PngChunks.h"

namespace {

// Room for the inflated rows at first; it doubles as the data fill it, up to what
// the header promises, so a small file cannot make the decoder allocate much.
constexpr std::size_t kFirstRoom = std::size_t{1} << 20;

// Inflates the IDAT chunks' data into exactly expected bytes; a stream that holds
// more or less than that is refused.
PngStatus InflateImageData(const std::vector<std::span<const unsigned char>>& pieces,
                           std::size_t expected, std::vector<unsigned char>& rows) {
    const ostrafel::TInflateStream inflater = ostrafel::StartInflate();
    if (!inflater)
        return PngStatus::BadImageData;
    z_stream& z = *inflater.get();
    rows.resize(std::min(expected, kFirstRoom));
    std::size_t produced = 0;
    std::size_t next = 0;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        while (z.avail_in == 0 && next < pieces.size()) {
            z.next_in = pieces[next].data();
            z.avail_in = static_cast<uInt>(pieces[next].size());
            ++next;
        }
        if (produced == rows.size() && rows.size() < expected)
            rows.resize(std::min(expected, 2 * rows.size()));
        // With the rows full, only the stream's end may still come.
        z.next_out = rows.data() + produced;
        z.avail_out = static_cast<uInt>(rows.size() - produced);
        result = inflate(&z, Z_NO_FLUSH);
        produced = rows.size() - z.avail_out;
        // Z_BUF_ERROR means no progress: the data end before the stream does, or
        // the stream holds more than the picture.
        if (result != Z_OK && result != Z_STREAM_END)
            return PngStatus::BadImageData;
    }
    return produced == expected ? PngStatus::Decoded : PngStatus::BadImageData;
}

unsigned char Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

enum RowFilter { kNone, kSub, kUp, kAverage, kPaeth };

// Undoes one row's filter in place; prior is the row above, already undone (zeros
// above the first row). False for a filter type that does not exist.
bool UnfilterRow(int filter, unsigned char* row, const unsigned char* prior, std::size_t length,
                 std::size_t step) {
    if (filter < kNone || filter > kPaeth)
        return false;
    if (filter == kNone)
        return true;
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= step ? row[i - step] : 0;
        const int up = prior[i];
        const int upLeft = i >= step ? prior[i - step] : 0;
        int predicted = left;
        if (filter == kUp)
            predicted = up;
        else if (filter == kAverage)
            predicted = (left + up) / 2;
        else if (filter == kPaeth)
            predicted = Paeth(left, up, upLeft);
        row[i] = static_cast<unsigned char>(row[i] + predicted);
    }
    return true;
}

// The rows as inflated: each one a filter byte and RowBytes() bytes.
class TFilteredRows {
  public:
    TFilteredRows(std::vector<unsigned char>& rows, const TPngHeader& header)
        : FRows(rows), FLength(header.RowBytes()), FStep(header.FilterStep()), FZeros(FLength) {}

    bool Unfilter() {
        const unsigned char* prior = FZeros.data();
        for (std::size_t at = 0; at < FRows.size(); at += FLength + 1) {
            if (!UnfilterRow(FRows[at], &FRows[at + 1], prior, FLength, FStep))
                return false;
            prior = &FRows[at + 1];
        }
        return true;
    }
    const unsigned char* Row(std::size_t y) const { return &FRows[y * (FLength + 1) + 1]; }

  private:
    std::vector<unsigned char>& FRows;  // not owned
    std::size_t FLength;
    std::size_t FStep;
    std::vector<unsigned char> FZeros;
};

std::uint32_t Premultiplied(unsigned red, unsigned green, unsigned blue, unsigned alpha) {
    const auto scale = [alpha](unsigned value) { return (value * alpha + 127) / 255; };
    return alpha << 24 | scale(red) << 16 | scale(green) << 8 | scale(blue);
}

// Reads the samples of one row at the picture's bit depth.
class TSampleReader {
  public:
    explicit TSampleReader(const TPngHeader& header)
        : FDepth(static_cast<unsigned>(header.BitDepth)), FChannels(static_cast<unsigned>(header.Channels())) {}

    // The raw value of channel c of pixel x.
    unsigned Raw(const unsigned char* row, std::size_t x, unsigned c) const {
        const std::size_t index = x * FChannels + c;
        if (FDepth == 8)
            return row[index];
        if (FDepth == 16)
            return unsigned{row[2 * index]} << 8 | row[2 * index + 1];
        const std::size_t bit = index * FDepth;
        const unsigned shift = 8 - FDepth - static_cast<unsigned>(bit % 8);
        return (row[bit / 8] >> shift) & ((1u << FDepth) - 1);
    }
    // A raw value brought to 0..255.
    unsigned To8Bits(unsigned raw) const {
        if (FDepth == 16)
            return (raw * 255 + 32767) / 65535;
        return raw * 255 / ((1u << FDepth) - 1);
    }
    unsigned Sample8(const unsigned char* row, std::size_t x, unsigned c) const {
        return To8Bits(Raw(row, x, c));
    }

  private:
    unsigned FDepth;
    unsigned FChannels;
};

// Turns the unfiltered rows into premultiplied pixels; false when a palette index
// lies past the palette.
bool ConvertPixels(const TFilteredRows& rows, const TPngParts& parts, TBitmapPixels& picture) {
    const TPngHeader& header = parts.Header;
    const TSampleReader reader(header);
    const std::span<const unsigned char> key = parts.Transparency;
    const bool hasKey = !key.empty() && header.ColorType != PngColorType::Palette;
    const auto keyValue = [key](std::size_t c) { return unsigned{key[2 * c]} << 8 | key[2 * c + 1]; };
    std::uint32_t* out = picture.Pixels.data();
    for (std::size_t y = 0; y < header.Height; ++y) {
        const unsigned char* row = rows.Row(y);
        for (std::size_t x = 0; x < header.Width; ++x) {
            switch (header.ColorType) {
            case PngColorType::Grey: {
                const unsigned raw = reader.Raw(row, x, 0);
                const unsigned grey = reader.To8Bits(raw);
                *out++ = Premultiplied(grey, grey, grey, hasKey && raw == keyValue(0) ? 0 : 255);
                break;
            }
            case PngColorType::Rgb: {
                const unsigned r = reader.Raw(row, x, 0), g = reader.Raw(row, x, 1), b = reader.Raw(row, x, 2);
                const bool transparent = hasKey && r == keyValue(0) && g == keyValue(1) && b == keyValue(2);
                *out++ = Premultiplied(reader.To8Bits(r), reader.To8Bits(g), reader.To8Bits(b),
                                       transparent ? 0 : 255);
                break;
            }
            case PngColorType::Palette: {
                const unsigned index = reader.Raw(row, x, 0);
                if (index >= parts.Palette.size() / 3)
                    return false;
                const unsigned char* entry = &parts.Palette[3 * index];
                *out++ = Premultiplied(entry[0], entry[1], entry[2],
                                       index < key.size() ? key[index] : 255u);
                break;
            }
            case PngColorType::GreyAlpha: {
                const unsigned grey = reader.Sample8(row, x, 0);
                *out++ = Premultiplied(grey, grey, grey, reader.Sample8(row, x, 1));
                break;
            }
            case PngColorType::Rgba:
                *out++ = Premultiplied(reader.Sample8(row, x, 0), reader.Sample8(row, x, 1),
                                       reader.Sample8(row, x, 2), reader.Sample8(row, x, 3));
                break;
            }
        }
    }
    return true;
}

}  // namespace

TPngDecoding DecodePng(std::span<const unsigned char> data) {
    TPngParts parts;
    if (PngStatus status = ReadPngParts(data, parts); status != PngStatus::Decoded)
        return {status, {}};
    const TPngHeader& header = parts.Header;
    std::vector<unsigned char> inflated;
    if (PngStatus status = InflateImageData(parts.ImageData, header.Height * (header.RowBytes() + 1), inflated);
        status != PngStatus::Decoded)
        return {status, {}};
    TFilteredRows rows(inflated, header);
    if (!rows.Unfilter())
        return {PngStatus::BadImageData, {}};
    TBitmapPixels picture{static_cast<int>(header.Width), static_cast<int>(header.Height),
                          std::vector<std::uint32_t>(std::size_t{header.Width} * header.Height)};
    if (!ConvertPixels(rows, parts, picture))
        return {PngStatus::BadImageData, {}};
    return {PngStatus::Decoded, std::move(picture)};
}
