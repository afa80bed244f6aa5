// What a control tells screen readers and other assistive programs about
// itself at one moment, in the terms of Microsoft Active Accessibility.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct TAccessibleInfo {
    // What the control is called; empty for none.
    std::wstring Name;
    // What it holds, such as an edit box's text; nothing for a control
    // without a value.
    std::optional<std::wstring> Value;
    std::wstring Description;
    LONG Role = 0;   // one of the ROLE_SYSTEM_* values
    LONG State = 0;  // STATE_SYSTEM_* flags
    // The name of what the default action does ("Press"); empty for none.
    std::wstring DefaultAction;
    // The keys that do the default action, as the user reads them ("Ctrl+Enter").
    std::wstring KeyboardShortcut;
};
