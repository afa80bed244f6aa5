// Reading the PNG pictures that the program carries, with zlib for the
// compressed pixels and no platform code.
//
// Read: every colour type at bit depths 1 to 16 as PNG allows them, the
// palette and its transparency, the transparent colour of grey and RGB
// pictures. Not read: interlaced pictures. Colour-space chunks (gAMA, sRGB,
// iCCP, ...) and other ancillary chunks are skipped.
#pragma once

#include <span>

#include "BitmapPixels.h"

// Why a picture was or was not read.
enum class PngStatus {
    Decoded,
    NotPng,        // the data do not begin with the PNG signature
    Truncated,     // they end inside a chunk or before IEND
    BadCrc,        // a chunk's check value does not match its type and data
    BadHeader,     // IHDR missing, not first, repeated, of the wrong size or with impossible values
    BadChunk,      // a malformed chunk, a palette or transparency that does not fit the
                   // picture, chunks out of order, or no pixel data
    Unsupported,   // an interlaced picture, or a critical chunk this reader does not know
    TooLarge,      // wider or taller than kMaxPngSide
    BadImageData,  // the pixel data do not inflate to exactly the rows IHDR announces, a row's
                   // filter is unknown, or a pixel names a colour past the palette's end
};

// The largest width and height read: enough for any logo, and it bounds the
// memory that a damaged or hostile header can ask for.
constexpr int kMaxPngSide = 4096;

struct TPngDecoding {
    PngStatus Status = PngStatus::NotPng;
    TBitmapPixels Picture;  // empty unless Status is Decoded
};

// Decodes a whole PNG file into premultiplied pixels; a file that cannot be read
// gives its status and no pixels. Bytes after IEND are ignored.
TPngDecoding DecodePng(std::span<const unsigned char> data);
