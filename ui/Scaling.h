// Rescaling a whole form by a factor (multiplier / divisor), as the scale box asks.
#pragma once

#include <windows.h>

#include "Form.h"

// The edges of bounds each scaled by multiplier/divisor (MulDiv: rounded to
// nearest, halves away from zero), so that controls that touched stay touching:
// {75, 113, 525, 169} by 3/2 -> {113, 170, 788, 254}.
RECT ScaleEdges(const RECT& bounds, int multiplier, int divisor);

// Scales every control's bounds and font, the client area and the form's font by
// multiplier/divisor, behind the user's back: a visible form is hidden meanwhile
// and shown again where it was, neither step activating a window. Self-sizing
// controls then fit their scaled fonts. Successive calls compound.
void ScaleBy(TForm& form, int multiplier, int divisor);
