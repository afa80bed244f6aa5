// The chunk structure of a PNG file: the signature, the chunks with their check
// values, the header, and the chunks that the pixels are made from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "PngDecoder.h"

enum class PngColorType { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

struct TPngHeader {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    int BitDepth = 0;
    PngColorType ColorType = PngColorType::Grey;

    int Channels() const;
    // Bytes of one row of pixels, without its filter byte.
    std::size_t RowBytes() const;
    // Distance in bytes to the same channel of the pixel on the left, at least 1.
    std::size_t FilterStep() const;
};

struct TPngParts {
    TPngHeader Header;
    std::span<const unsigned char> Palette;                 // PLTE: red, green, blue per entry
    std::span<const unsigned char> Transparency;            // tRNS as stored
    std::vector<std::span<const unsigned char>> ImageData;  // the IDAT chunks' data, in order
};

// Walks the chunks up to IEND, checking each one's CRC and the rules of their
// order, and collects the parts; Decoded when they make a picture to decode.
PngStatus ReadPngParts(std::span<const unsigned char> data, TPngParts& parts);

// The 32-bit big-endian number at bytes[0..3].
std::uint32_t ReadBigEndian32(const unsigned char* bytes);
