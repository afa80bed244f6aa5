// Owner of one zlib inflate state, for the news body and the logo alike. Header
// only: the demand conversion core itself does not use zlib.
#pragma once

#include <zlib.h>

#include "UniqueHandle.h"

namespace ostrafel {

// Holds a started z_stream (inflateEnd, then the stream freed); empty at null.
// zlib's state points back at the z_stream, so the stream lives on the heap
// where it was started and only the pointer moves.
struct InflateStreamTraits {
    using Handle = z_stream*;
    static void Close(z_stream* stream) {
        inflateEnd(stream);
        delete stream;
    }
};
using TInflateStream = UniqueHandle<InflateStreamTraits>;

// A started inflate state, or an empty owner when zlib could not start.
// windowBits as zlib takes them: MAX_WBITS for a zlib stream, 16 + MAX_WBITS for gzip.
inline TInflateStream StartInflate(int windowBits = MAX_WBITS) {
    auto* stream = new z_stream{};
    if (inflateInit2(stream, windowBits) != Z_OK) {
        delete stream;
        return {};
    }
    return TInflateStream(stream);
}

} // namespace ostrafel
