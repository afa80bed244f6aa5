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

// Owns one HINTERNET (session, connection or request) and closes it once with
// the loaded library's close function; the library must outlive the owner.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    decltype(&::WinHttpCloseHandle) CloseHandle = nullptr;
    void Close(HINTERNET handle) const { CloseHandle(handle); }
};
using TInternetHandle = UniqueHandle<InternetHandleTraits>;

// Throws HttpError naming the failed call, with the system's text for the error.
[[noreturn]] void ThrowWinHttpError(std::string_view call, DWORD error = GetLastError());

} // namespace ostrafel
