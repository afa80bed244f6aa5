// Test data: gzip and zlib streams made with zlib's deflate.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <zlib.h>

#include "BodyDecoding.h"

namespace ostrafel::testing_support {

inline std::string Compress(std::string_view data, Compression compression) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED,
                     compression == Compression::Gzip ? 16 + MAX_WBITS : MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

} // namespace ostrafel::testing_support
