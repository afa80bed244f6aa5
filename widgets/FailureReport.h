// The rules of the failure report and of the application title.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

// The text that the report shows for failure: the innermost message of a chain
// of nested failures, with the full-stop rule applied. Nothing for EAbort.
std::optional<std::wstring> FailureReportText(const std::exception_ptr& failure);

// Appends "." unless text is empty or its last character is at most U+002E:
// "Out of memory" -> "Out of memory.", "Done." and "Why?" stay as they are.
std::wstring WithFullStop(std::wstring text);

// The executable's file name without its folder, cut before the first full
// stop, every character after the first in lower case:
// "C:\Programs\OSTRAFEL.EXE" -> "Ostrafel", "my.tool.exe" -> "my".
std::wstring ApplicationTitleFromPath(std::wstring_view path);

// Whether a WM_SETTINGCHANGE section name is exactly "intl" (case-sensitive).
bool IsIntlSettingsSection(const wchar_t* section);
