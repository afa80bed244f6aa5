// What the failure report says: the text of a failure.
#pragma once

#include <exception>
#include <optional>
#include <string>

// The text that the report shows for failure: the innermost message of a chain
// of nested failures, with the full-stop rule applied. Nothing for EAbort.
std::optional<std::wstring> FailureReportText(const std::exception_ptr& failure);

// Appends "." unless text is empty or its last character is at most U+002E:
// "Out of memory" -> "Out of memory.", "Done." and "Why?" stay as they are.
std::wstring WithFullStop(std::wstring text);
