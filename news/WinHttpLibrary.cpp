#include "WinHttpLibrary.h"

#include "HttpTypes.h"
#include "WinHttpHandle.h"

namespace ostrafel {
namespace {

template <class Function> void Find(HMODULE module, const char* name, Function& slot) {
    const FARPROC address = GetProcAddress(module, name);
    if (!address)
        throw HttpError(std::string(name) + " is missing from the HTTP library");
    // The untyped address becomes the entry point's declared type, calling convention included.
    slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

} // namespace

TWinHttpLibrary::TWinHttpLibrary(const std::wstring& fileName)
    : FModule(LoadSystemLibrary(fileName)) {
    if (!FModule) {
        const DWORD error = GetLastError();
        throw HttpError(Narrow(fileName) + " cannot be loaded (" + std::to_string(error) + ")");
    }
    HMODULE module = FModule.get();
    WinHttpFunctions& f = FFunctions;
    Find(module, "WinHttpOpen", f.Open);
    Find(module, "WinHttpCloseHandle", f.CloseHandle);
    Find(module, "WinHttpSetStatusCallback", f.SetStatusCallback);
    Find(module, "WinHttpConnect", f.Connect);
    Find(module, "WinHttpOpenRequest", f.OpenRequest);
    Find(module, "WinHttpSetTimeouts", f.SetTimeouts);
    Find(module, "WinHttpSetOption", f.SetOption);
    Find(module, "WinHttpAddRequestHeaders", f.AddRequestHeaders);
    Find(module, "WinHttpSendRequest", f.SendRequest);
    Find(module, "WinHttpReceiveResponse", f.ReceiveResponse);
    Find(module, "WinHttpQueryHeaders", f.QueryHeaders);
    Find(module, "WinHttpQueryDataAvailable", f.QueryDataAvailable);
    Find(module, "WinHttpReadData", f.ReadData);
    Find(module, "WinHttpGetIEProxyConfigForCurrentUser", f.GetIEProxyConfigForCurrentUser);
    Find(module, "WinHttpGetProxyForUrl", f.GetProxyForUrl);
}

} // namespace ostrafel
