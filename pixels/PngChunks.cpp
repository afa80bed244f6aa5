#include "PngChunks.h"

#include <algorithm>
#include <array>

#include <zlib.h>

namespace {

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A chunk's length, type and CRC.
constexpr std::size_t kChunkFrame = 12;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr std::size_t kHeaderLength = 13;
constexpr std::size_t kMaxPaletteEntries = 256;

constexpr std::uint32_t ChunkType(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(name[3]));
}

constexpr std::uint32_t kIHDR = ChunkType("IHDR");
constexpr std::uint32_t kPLTE = ChunkType("PLTE");
constexpr std::uint32_t kIDAT = ChunkType("IDAT");
constexpr std::uint32_t kIEND = ChunkType("IEND");
constexpr std::uint32_t kTRNS = ChunkType("tRNS");

struct TChunk {
    std::uint32_t Type = 0;
    std::span<const unsigned char> Body;
};

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A reader must understand every critical chunk; those have an upper-case first letter.
bool IsCritical(std::uint32_t type) {
    return (type & 0x20000000u) == 0;
}

// The chunk at position, which then moves past it.
PngStatus NextChunk(std::span<const unsigned char> data, std::size_t& position, TChunk& chunk) {
    const std::size_t left = data.size() - position;
    if (left < kChunkFrame)
        return PngStatus::Truncated;
    const std::uint32_t length = ReadBigEndian32(&data[position]);
    if (length > kMaxChunkLength)
        return PngStatus::BadChunk;
    if (left - kChunkFrame < length)
        return PngStatus::Truncated;
    const unsigned char* type = &data[position + 4];
    const std::span<const unsigned char> body = data.subspan(position + 8, length);
    const uLong crc = crc32(crc32(0, type, 4), body.data(), static_cast<uInt>(length));
    if (static_cast<std::uint32_t>(crc) != ReadBigEndian32(body.data() + length))
        return PngStatus::BadCrc;
    if (!std::all_of(type, type + 4, IsLetter))
        return PngStatus::BadChunk;
    chunk = {ReadBigEndian32(type), body};
    position += kChunkFrame + length;
    return PngStatus::Decoded;
}

bool IsAllowedDepth(int colorType, int bitDepth) {
    switch (colorType) {
    case static_cast<int>(PngColorType::Grey):
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case static_cast<int>(PngColorType::Palette):
        return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case static_cast<int>(PngColorType::Rgb):
    case static_cast<int>(PngColorType::GreyAlpha):
    case static_cast<int>(PngColorType::Rgba):
        return bitDepth == 8 || bitDepth == 16;
    default:
        return false;
    }
}

PngStatus ReadHeader(std::span<const unsigned char> body, TPngHeader& header) {
    if (body.size() != kHeaderLength)
        return PngStatus::BadHeader;
    const std::uint32_t width = ReadBigEndian32(&body[0]);
    const std::uint32_t height = ReadBigEndian32(&body[4]);
    const int bitDepth = body[8];
    const int colorType = body[9];
    const int compression = body[10];
    const int filter = body[11];
    const int interlace = body[12];
    if (width == 0 || height == 0 || width > kMaxChunkLength || height > kMaxChunkLength ||
        !IsAllowedDepth(colorType, bitDepth) || compression != 0 || filter != 0 || interlace > 1)
        return PngStatus::BadHeader;
    if (interlace != 0)
        return PngStatus::Unsupported;
    if (width > kMaxPngSide || height > kMaxPngSide)
        return PngStatus::TooLarge;
    header = {width, height, bitDepth, static_cast<PngColorType>(colorType)};
    return PngStatus::Decoded;
}

// PLTE: before the pixel data and the transparency, once, whole entries, no more
// than the bit depth can name; grey pictures have none.
PngStatus ReadPalette(std::span<const unsigned char> body, TPngParts& parts) {
    const PngColorType type = parts.Header.ColorType;
    const std::size_t entries = body.size() / 3;
    if (!parts.Palette.empty() || !parts.ImageData.empty() || !parts.Transparency.empty() ||
        body.empty() || body.size() % 3 != 0 || entries > kMaxPaletteEntries ||
        type == PngColorType::Grey || type == PngColorType::GreyAlpha ||
        (type == PngColorType::Palette && entries > (std::size_t{1} << parts.Header.BitDepth)))
        return PngStatus::BadChunk;
    parts.Palette = body;
    return PngStatus::Decoded;
}

// tRNS: before the pixel data, once; an alpha per palette entry, or one grey or
// RGB sample value that is transparent; pictures with alpha have none.
PngStatus ReadTransparency(std::span<const unsigned char> body, bool seen, TPngParts& parts) {
    bool fits = false;
    switch (parts.Header.ColorType) {
    case PngColorType::Palette:
        fits = !parts.Palette.empty() && body.size() <= parts.Palette.size() / 3;
        break;
    case PngColorType::Grey:
        fits = body.size() == 2;
        break;
    case PngColorType::Rgb:
        fits = body.size() == 6;
        break;
    default:
        break;
    }
    if (!fits || seen || !parts.ImageData.empty())
        return PngStatus::BadChunk;
    parts.Transparency = body;
    return PngStatus::Decoded;
}

PngStatus Complete(const TPngParts& parts) {
    if (parts.ImageData.empty() ||
        (parts.Header.ColorType == PngColorType::Palette && parts.Palette.empty()))
        return PngStatus::BadChunk;
    return PngStatus::Decoded;
}

}  // namespace

std::uint32_t ReadBigEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | static_cast<std::uint32_t>(bytes[3]);
}

int TPngHeader::Channels() const {
    switch (ColorType) {
    case PngColorType::Rgb:
        return 3;
    case PngColorType::GreyAlpha:
        return 2;
    case PngColorType::Rgba:
        return 4;
    default:
        return 1;
    }
}

std::size_t TPngHeader::RowBytes() const {
    const std::size_t bits = std::size_t{Width} * static_cast<std::size_t>(Channels() * BitDepth);
    return (bits + 7) / 8;
}

std::size_t TPngHeader::FilterStep() const {
    return std::max<std::size_t>(1, static_cast<std::size_t>(Channels() * BitDepth / 8));
}

PngStatus ReadPngParts(std::span<const unsigned char> data, TPngParts& parts) {
    parts = {};
    if (data.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), data.begin()))
        return PngStatus::NotPng;
    std::size_t position = kSignature.size();
    TChunk chunk;
    if (PngStatus status = NextChunk(data, position, chunk); status != PngStatus::Decoded)
        return status;
    if (chunk.Type != kIHDR)
        return PngStatus::BadHeader;
    if (PngStatus status = ReadHeader(chunk.Body, parts.Header); status != PngStatus::Decoded)
        return status;
    bool imageDataEnded = false;
    bool transparencySeen = false;
    for (;;) {
        if (PngStatus status = NextChunk(data, position, chunk); status != PngStatus::Decoded)
            return status;
        if (chunk.Type == kIEND)
            return Complete(parts);
        if (chunk.Type == kIDAT) {
            // The pixel data are one run of IDAT chunks.
            if (imageDataEnded)
                return PngStatus::BadChunk;
            parts.ImageData.push_back(chunk.Body);
            continue;
        }
        imageDataEnded = !parts.ImageData.empty();
        PngStatus status = PngStatus::Decoded;
        if (chunk.Type == kIHDR) {
            status = PngStatus::BadHeader;
        } else if (chunk.Type == kPLTE) {
            status = ReadPalette(chunk.Body, parts);
        } else if (chunk.Type == kTRNS) {
            status = ReadTransparency(chunk.Body, transparencySeen, parts);
            transparencySeen = true;
        } else if (IsCritical(chunk.Type)) {
            status = PngStatus::Unsupported;
        }
        if (status != PngStatus::Decoded)
            return status;
    }
}
