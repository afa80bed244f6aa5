// Windows HTTP Services, loaded from the system folder when the first request
// is sent. The program starts without it, and a system that lacks it, or lacks
// one of its functions, loses only the news: the request fails like a network
// failure.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>

#include "LoadedModule.h"

namespace ostrafel {

inline constexpr wchar_t kWinHttpLibrary[] = L"winhttp.dll";

// The entry points the client calls.
struct WinHttpFunctions {
    decltype(&::WinHttpOpen) Open = nullptr;
    decltype(&::WinHttpCloseHandle) CloseHandle = nullptr;
    decltype(&::WinHttpSetStatusCallback) SetStatusCallback = nullptr;
    decltype(&::WinHttpConnect) Connect = nullptr;
    decltype(&::WinHttpOpenRequest) OpenRequest = nullptr;
    decltype(&::WinHttpSetTimeouts) SetTimeouts = nullptr;
    decltype(&::WinHttpSetOption) SetOption = nullptr;
    decltype(&::WinHttpAddRequestHeaders) AddRequestHeaders = nullptr;
    decltype(&::WinHttpSendRequest) SendRequest = nullptr;
    decltype(&::WinHttpReceiveResponse) ReceiveResponse = nullptr;
    decltype(&::WinHttpQueryHeaders) QueryHeaders = nullptr;
    decltype(&::WinHttpQueryDataAvailable) QueryDataAvailable = nullptr;
    decltype(&::WinHttpReadData) ReadData = nullptr;
    decltype(&::WinHttpGetIEProxyConfigForCurrentUser) GetIEProxyConfigForCurrentUser = nullptr;
    decltype(&::WinHttpGetProxyForUrl) GetProxyForUrl = nullptr;
};

// Owns one loaded copy of the library and its table of entry points.
class TWinHttpLibrary {
  public:
    // Loads fileName from the system folder only (LoadSystemLibrary), never
    // from the program's folder or the current one. Throws HttpError when the
    // library or any entry point is missing.
    explicit TWinHttpLibrary(const std::wstring& fileName = kWinHttpLibrary);

    const WinHttpFunctions& Functions() const { return FFunctions; }

  private:
    UniqueModule FModule;
    WinHttpFunctions FFunctions;
};

} // namespace ostrafel
