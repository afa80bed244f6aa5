#include "WinHttpHandle.h"

#include "HttpTypes.h"

namespace ostrafel {

void ThrowWinHttpError(std::string_view call, DWORD error) {
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleW(L"winhttp.dll"), error, 0, text, std::size(text), nullptr);
    std::string message(call);
    message += " failed (" + std::to_string(error) + ")";
    if (length > 0)
        message += ": " + Narrow(std::wstring_view(text, length));
    throw HttpError(message);
}

std::wstring Widen(std::string_view bytes) {
    std::wstring text;
    for (const char c : bytes)
        text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

std::string Narrow(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t c : text)
        bytes += c < 0x100 ? static_cast<char>(c) : '?';
    return bytes;
}

} // namespace ostrafel
