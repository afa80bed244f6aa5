// Texts from the program's string table.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The string with this id from the executable's string table, or fallback when
// the executable carries none (test programs do not).
std::wstring LoadResourceText(UINT id, std::wstring_view fallback);

// "Cannot open clipboard: %s" with %s replaced by detail; only the first %s is
// replaced, and a text without one comes back unchanged.
std::wstring FormatWithDetail(std::wstring_view pattern, std::wstring_view detail);
