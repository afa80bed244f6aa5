// Any file decodes to a consistent premultiplied picture or fails with a status,
// and the picture scales to any small size. The harness first repairs every
// chunk's CRC, unless the first byte is odd, so that mutations get past the
// check value and reach the header, the order of chunks and the pixel data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <zlib.h>

#include "PictureScaling.h"
#include "PngDecoder.h"

namespace {

std::uint32_t ReadBigEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

void RepairCrcs(std::vector<unsigned char>& file) {
    std::size_t at = 8;
    while (file.size() >= at + 12) {
        const std::uint32_t length = ReadBigEndian(&file[at]);
        if (length > file.size() - at - 12)
            return;
        const uLong crc = crc32(0, &file[at + 4], static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i)
            file[at + 8 + length + static_cast<std::size_t>(i)] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        at += 12 + std::size_t{length};
    }
}

// Premultiplied: no colour channel above the alpha.
void CheckPixels(const TBitmapPixels& picture, int maxSide) {
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > maxSide || picture.Height > maxSide ||
        picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        std::abort();
    for (std::uint32_t pixel : picture.Pixels) {
        const std::uint32_t alpha = pixel >> 24;
        if ((pixel & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha || ((pixel >> 16) & 0xFF) > alpha)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    std::vector<unsigned char> file(data + 1, data + size);
    if ((data[0] & 1) == 0)
        RepairCrcs(file);
    const TPngDecoding decoding = DecodePng(file);
    if ((decoding.Status == PngStatus::Decoded) == decoding.Picture.Empty())
        std::abort();
    if (decoding.Status != PngStatus::Decoded)
        return 0;
    CheckPixels(decoding.Picture, kMaxPngSide);
    const int width = 1 + (data[0] >> 1) % 40;
    const int height = 1 + (data[0] >> 4) % 40 * 3;
    const TBitmapPixels scaled = ScalePicture(decoding.Picture, width, height);
    CheckPixels(scaled, kMaxScaledSide);
    if (scaled.Width != width || scaled.Height != height)
        std::abort();
    return 0;
}
