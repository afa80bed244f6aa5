// A test certificate authority that the Wine prefix trusts for as long as the
// object lives: the HTTPS servers of the tests use certificates that it signed.
#pragma once

#include <windows.h>

#include <string>

namespace ostrafel::testing_support {

class TrustedAuthority {
  public:
    // der: the authority's certificate, DER-encoded.
    explicit TrustedAuthority(std::string der);
    ~TrustedAuthority();
    TrustedAuthority(const TrustedAuthority&) = delete;
    TrustedAuthority& operator=(const TrustedAuthority&) = delete;

  private:
    const BYTE* Bytes() const { return reinterpret_cast<const BYTE*>(FDer.data()); }

    std::string FDer;
};

} // namespace ostrafel::testing_support
