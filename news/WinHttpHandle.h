// Ownership and errors of Windows HTTP Services handles.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <string_view>

#include "GlobalMemory.h"
#include "TextConversion.h"
#include "UniqueHandle.h"

namespace ostrafel {

// Owns one HINTERNET (session, connection or request) and closes it once.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static void Close(HINTERNET handle) { WinHttpCloseHandle(handle); }
};
using TInternetHandle = UniqueHandle<InternetHandleTraits>;

// Throws HttpError naming the failed call, with the system's text for the error.
[[noreturn]] void ThrowWinHttpError(std::string_view call, DWORD error = GetLastError());

} // namespace ostrafel
