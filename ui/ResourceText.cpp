#include "ResourceText.h"

#include "StringTable.h"

// A text of StringTable.h as a wide string literal.
#define OSTRAFEL_WIDE(text) L"" text

std::wstring LoadResourceText(UINT id, std::wstring_view fallback) {
    // A zero buffer size hands out a pointer to the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || !text)
        return std::wstring(fallback);
    return std::wstring(text, static_cast<std::size_t>(length));
}

TErrorBoxTexts ErrorBoxTexts() {
    return {LoadResourceText(IDS_ERROR, OSTRAFEL_WIDE(IDS_ERROR_TEXT)),
            LoadResourceText(IDS_OK, OSTRAFEL_WIDE(IDS_OK_TEXT))};
}

TClipboardTexts ClipboardTexts() {
    return {LoadResourceText(IDS_CANNOT_OPEN_CLIPBOARD, OSTRAFEL_WIDE(IDS_CANNOT_OPEN_CLIPBOARD_TEXT)),
            LoadResourceText(IDS_OUT_OF_RESOURCES, OSTRAFEL_WIDE(IDS_OUT_OF_RESOURCES_TEXT))};
}
