#include "ResourceText.h"

std::wstring LoadResourceText(UINT id, std::wstring_view fallback) {
    // A zero buffer size hands out a pointer to the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text)
        return std::wstring(fallback);
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring FormatWithDetail(std::wstring_view pattern, std::wstring_view detail) {
    std::wstring text(pattern);
    if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos)
        text.replace(at, 2, detail);
    return text;
}
