// Texts from the program's string table, and the widgets' texts made of them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "Clipboard.h"
#include "ErrorBox.h"

// The string with this id from the executable's string table, or fallback when
// the executable carries none (test programs do not).
std::wstring LoadResourceText(UINT id, std::wstring_view fallback);

// "Error" and "OK".
TErrorBoxTexts ErrorBoxTexts();
// "Cannot open clipboard: %s" and "Out of system resources".
TClipboardTexts ClipboardTexts();
