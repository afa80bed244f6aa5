#include "PngWriter.h"

#include <cstdlib>
#include <stdexcept>

#include <zlib.h>

namespace pngtest {
namespace {

void AppendBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// The predictor of the PNG definition: whichever neighbour is nearest to a + b - c.
int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

}  // namespace

Bytes Chunk(std::string_view type, const Bytes& body) {
    Bytes out;
    AppendBigEndian32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    uLong crc = crc32(0, out.data() + 4, static_cast<uInt>(out.size() - 4));
    AppendBigEndian32(out, static_cast<std::uint32_t>(crc));
    return out;
}

Bytes Header(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, int interlace) {
    Bytes body;
    AppendBigEndian32(body, width);
    AppendBigEndian32(body, height);
    for (int value : {bitDepth, colorType, 0, 0, interlace})
        body.push_back(static_cast<unsigned char>(value));
    return body;
}

Bytes Deflate(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK)
        throw std::runtime_error("compress2");
    out.resize(size);
    return out;
}

Bytes Png(std::initializer_list<Bytes> chunks) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const Bytes& chunk : chunks)
        out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

Bytes SimplePng(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType,
                const Bytes& rows, std::initializer_list<Bytes> extra) {
    Bytes out = Png({Chunk("IHDR", Header(width, height, bitDepth, colorType))});
    for (const Bytes& chunk : extra)
        out.insert(out.end(), chunk.begin(), chunk.end());
    for (const Bytes& chunk : {Chunk("IDAT", Deflate(rows)), Chunk("IEND", {})})
        out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

Bytes FilterRows(const Bytes& pixels, std::size_t rowBytes, std::size_t step, int filter) {
    Bytes out;
    for (std::size_t start = 0; start < pixels.size(); start += rowBytes) {
        out.push_back(static_cast<unsigned char>(filter));
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int x = pixels[start + i];
            const int a = i >= step ? pixels[start + i - step] : 0;
            const int b = start > 0 ? pixels[start - rowBytes + i] : 0;
            const int c = start > 0 && i >= step ? pixels[start - rowBytes + i - step] : 0;
            const int predictions[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
            out.push_back(static_cast<unsigned char>(x - predictions[filter]));
        }
    }
    return out;
}

}  // namespace pngtest
