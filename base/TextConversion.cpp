#include "TextConversion.h"

#include <windows.h>

std::wstring CodePageToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty())
        return {};
    // Texts are capped far below INT_MAX bytes.
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length) != length)
        return {};
    return wide;
}

std::wstring Utf8ToWide(std::string_view text) { return CodePageToWide(CP_UTF8, text); }

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
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
