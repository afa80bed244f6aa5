// The proxy of one request, as the user's system configuration chooses it.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>

#include "WinHttpLibrary.h"

namespace ostrafel {

struct ProxyChoice {
    bool direct = true;
    std::wstring proxy;  // "host:port" list when not direct
    std::wstring bypass; // hosts reached without the proxy
};

// The configuration is read once per process. An automatic configuration script comes
// first, then automatic detection, then the fixed proxy with its bypass list; with no
// readable configuration, detection decides. Anything that yields no proxy is direct.
ProxyChoice ChooseProxy(const WinHttpFunctions& winHttp, HINTERNET session,
                        const std::wstring& url);

} // namespace ostrafel
