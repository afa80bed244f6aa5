#include "TrustedAuthority.h"

#include <wincrypt.h> // needs windows.h first

#include <stdexcept>
#include <utility>

#include "UniqueHandle.h"

namespace ostrafel::testing_support {
namespace {

// An open certificate store. The trusted roots are kept in the registry, and
// changes reach it when the store is closed.
struct CertificateStoreTraits {
    using Handle = HCERTSTORE;
    static void Close(HCERTSTORE store) { CertCloseStore(store, 0); }
};
using UniqueCertificateStore = UniqueHandle<CertificateStoreTraits>;

struct CertificateTraits {
    using Handle = PCCERT_CONTEXT;
    static void Close(PCCERT_CONTEXT certificate) { CertFreeCertificateContext(certificate); }
};
using UniqueCertificate = UniqueHandle<CertificateTraits>;

UniqueCertificateStore OpenTrustedRoots() {
    UniqueCertificateStore store(CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0,
                                               CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root"));
    if (!store)
        throw std::runtime_error("cannot open the trusted roots");
    return store;
}

} // namespace

TrustedAuthority::TrustedAuthority(std::string der) : FDer(std::move(der)) {
    const UniqueCertificateStore store = OpenTrustedRoots();
    if (!CertAddEncodedCertificateToStore(store.get(), X509_ASN_ENCODING, Bytes(),
                                          static_cast<DWORD>(FDer.size()),
                                          CERT_STORE_ADD_REPLACE_EXISTING, nullptr))
        throw std::runtime_error("cannot trust the test authority");
}

TrustedAuthority::~TrustedAuthority() {
    const UniqueCertificateStore store = OpenTrustedRoots();
    const UniqueCertificate wanted(
        CertCreateCertificateContext(X509_ASN_ENCODING, Bytes(), static_cast<DWORD>(FDer.size())));
    if (!wanted)
        return;
    if (const PCCERT_CONTEXT found = CertFindCertificateInStore(
            store.get(), X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, wanted.get(), nullptr))
        CertDeleteCertificateFromStore(found); // frees found
}

} // namespace ostrafel::testing_support
