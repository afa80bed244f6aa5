// The error box of a calculation: the platform's task dialog with the error
// icon, the message and one "OK" button, modal to its owner and centred on the
// work area of the owner's monitor.
#pragma once

#include <windows.h>

#include <string_view>

// Returns when the user has closed the box: with its button, Enter, Escape or
// the close box.
void ShowErrorBox(HWND owner, std::wstring_view message);
