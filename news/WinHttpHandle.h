// Ownership and errors of Windows HTTP Services handles.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>
#include <string_view>

namespace ostrafel {

// Owns one HINTERNET (session, connection or request) and closes it once with the
// library's close function, which must outlive it.
class TInternetHandle {
  public:
    using CloseFunction = decltype(&::WinHttpCloseHandle);

    TInternetHandle() = default;
    TInternetHandle(HINTERNET handle, CloseFunction close) : FHandle(handle), FClose(close) {}
    ~TInternetHandle();
    TInternetHandle(TInternetHandle&& other) noexcept;
    TInternetHandle& operator=(TInternetHandle&& other) noexcept;
    TInternetHandle(const TInternetHandle&) = delete;
    TInternetHandle& operator=(const TInternetHandle&) = delete;

    HINTERNET Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }

  private:
    HINTERNET FHandle = nullptr;
    CloseFunction FClose = nullptr;
};

// Owns a string that Windows HTTP Services allocated with GlobalAlloc.
class TGlobalString {
  public:
    explicit TGlobalString(LPWSTR text) : FText(text) {}
    ~TGlobalString();
    TGlobalString(const TGlobalString&) = delete;
    TGlobalString& operator=(const TGlobalString&) = delete;

    std::wstring Text() const { return FText ? std::wstring(FText) : std::wstring(); }

  private:
    LPWSTR FText;
};

// Throws HttpError naming the failed call, with the system's text for the error.
[[noreturn]] void ThrowWinHttpError(std::string_view call, DWORD error = GetLastError());

// URLs and header lines are ASCII on the wire; other bytes map to the same code units.
std::wstring Widen(std::string_view bytes);
std::string Narrow(std::wstring_view text);

} // namespace ostrafel
