// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

// Replaces the clipboard's content with text as CF_UNICODETEXT alone (the
// system offers the 8-bit formats from it), owner being the clipboard's owner
// window. Raises Exception "Cannot open clipboard: <system text>" when another
// program holds the clipboard, which then keeps its content, and "Out of system
// resources" when the text cannot be placed, which leaves the clipboard empty.
void PutClipboardText(HWND owner, std::wstring_view text);
