#include "TrustedAuthority.h"

#include <wincrypt.h> // needs windows.h first

#include <stdexcept>
#include <utility>

namespace ostrafel::testing_support {
namespace {

// Owns an open certificate store. The trusted roots are kept in the registry, and
// changes reach it when the store is closed.
class TCertificateStore {
  public:
    TCertificateStore()
        : FStore(CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0,
                               CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root")) {
        if (!FStore)
            throw std::runtime_error("cannot open the trusted roots");
    }
    ~TCertificateStore() { CertCloseStore(FStore, 0); }
    TCertificateStore(const TCertificateStore&) = delete;
    TCertificateStore& operator=(const TCertificateStore&) = delete;

    HCERTSTORE Get() const { return FStore; }

  private:
    HCERTSTORE FStore;
};

} // namespace

TrustedAuthority::TrustedAuthority(std::string der) : FDer(std::move(der)) {
    const TCertificateStore store;
    if (!CertAddEncodedCertificateToStore(store.Get(), X509_ASN_ENCODING, Bytes(),
                                          static_cast<DWORD>(FDer.size()),
                                          CERT_STORE_ADD_REPLACE_EXISTING, nullptr))
        throw std::runtime_error("cannot trust the test authority");
}

TrustedAuthority::~TrustedAuthority() {
    const TCertificateStore store;
    const PCCERT_CONTEXT wanted =
        CertCreateCertificateContext(X509_ASN_ENCODING, Bytes(), static_cast<DWORD>(FDer.size()));
    if (!wanted)
        return;
    if (const PCCERT_CONTEXT found = CertFindCertificateInStore(
            store.Get(), X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, wanted, nullptr))
        CertDeleteCertificateFromStore(found); // frees found
    CertFreeCertificateContext(wanted);
}

} // namespace ostrafel::testing_support
