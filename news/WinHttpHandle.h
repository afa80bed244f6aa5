// Ownership and errors of Windows HTTP Services handles.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <string_view>

#include "GlobalMemory.h"
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

// URLs and header lines are ASCII on the wire; other bytes map to the same code units.
std::wstring Widen(std::string_view bytes);
std::string Narrow(std::wstring_view text);

} // namespace ostrafel
