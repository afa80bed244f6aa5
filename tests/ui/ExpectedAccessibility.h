// What each control of the main window tells a screen reader when the window
// has just opened, in the order of the window's layout from top to bottom.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <vector>

#include "AccessibleClient.h"

struct ExpectedControl {
    const char* Control;    // its name in the program
    POINT Place;            // its top-left corner in the client area as the window opens
    AccessibleFacts Facts;  // State: only the flags of kComparedStates
};

// The state flags compared; the focus and the pointer come and go.
inline constexpr LONG kComparedStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE |
                                        STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_READONLY |
                                        STATE_SYSTEM_CHECKED;

const std::vector<ExpectedControl>& ExpectedControls();
