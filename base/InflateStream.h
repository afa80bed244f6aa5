// Owner of one zlib inflate state, for the news body and the logo alike. Header
// only: the demand conversion core itself does not use zlib.
#pragma once

#include <zlib.h>

namespace ostrafel {

// zlib's state points back at the z_stream, so the owner stays where it was
// made: neither copied nor moved. Ready() is false when zlib could not start.
class TInflateStream {
  public:
    // windowBits as zlib takes them: MAX_WBITS for a zlib stream, 16 + MAX_WBITS for gzip.
    explicit TInflateStream(int windowBits = MAX_WBITS)
        : FReady(inflateInit2(&FStream, windowBits) == Z_OK) {}
    ~TInflateStream() {
        if (FReady)
            inflateEnd(&FStream);
    }
    TInflateStream(const TInflateStream&) = delete;
    TInflateStream& operator=(const TInflateStream&) = delete;

    bool Ready() const { return FReady; }
    z_stream& Get() { return FStream; }

  private:
    z_stream FStream{};
    bool FReady;
};

} // namespace ostrafel
