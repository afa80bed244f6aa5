// An error box: the platform's task dialog with the error icon, a message and
// one button, modal to its owner and centred on the work area of the owner's
// monitor.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The box's own texts, in the caller's language.
struct TErrorBoxTexts {
    std::wstring Title;
    std::wstring OkCaption;
};

// Returns when the user has closed the box: with its button, Enter, Escape or
// the close box.
void ShowErrorBox(HWND owner, const TErrorBoxTexts& texts, std::wstring_view message);
