// The application object's rules that need no window: the title it takes from
// the executable's name and the setting changes that it reports as regional.
#pragma once

#include <string>
#include <string_view>

// The executable's file name without its folder, cut before the first full
// stop, every character after the first in lower case:
// "C:\Programs\OSTRAFEL.EXE" -> "Ostrafel", "my.tool.exe" -> "my".
std::wstring ApplicationTitleFromPath(std::wstring_view path);

// Whether a WM_SETTINGCHANGE section name is exactly "intl" (case-sensitive).
bool IsIntlSettingsSection(const wchar_t* section);
