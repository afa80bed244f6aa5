// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The failure texts, in the caller's language.
struct TClipboardTexts {
    // "%s" in it stands for the system's text of the error.
    std::wstring CannotOpen;
    std::wstring OutOfResources;
};

// Replaces the clipboard's content with text as CF_UNICODETEXT alone (the
// system offers the 8-bit formats from it), owner being the clipboard's owner
// window. Raises Exception CannotOpen, its first "%s" replaced by the system's
// text, when another program holds the clipboard, which then keeps its content,
// and OutOfResources when the text cannot be placed, which leaves the clipboard
// empty.
void PutClipboardText(HWND owner, std::wstring_view text, const TClipboardTexts& texts);
