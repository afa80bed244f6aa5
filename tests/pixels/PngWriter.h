// Test data: PNG files put together byte by byte, with zlib for the pixel data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace pngtest {

using Bytes = std::vector<unsigned char>;

// Length, type, body and CRC.
Bytes Chunk(std::string_view type, const Bytes& body);
// The body of IHDR.
Bytes Header(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, int interlace = 0);
// A zlib stream of data.
Bytes Deflate(const Bytes& data);
// The signature followed by the chunks.
Bytes Png(std::initializer_list<Bytes> chunks);
// IHDR, the extra chunks, one IDAT of the rows (each with its filter byte), IEND.
Bytes SimplePng(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType,
                const Bytes& rows, std::initializer_list<Bytes> extra = {});

// Filters rows of unfiltered bytes (rowBytes each) with one filter type, as an
// encoder does; step is the bytes per pixel, at least 1.
Bytes FilterRows(const Bytes& pixels, std::size_t rowBytes, std::size_t step, int filter);

}  // namespace pngtest
