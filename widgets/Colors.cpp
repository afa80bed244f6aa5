#include "Colors.h"

COLORREF ColorToRGB(TColor color) {
    if (IsSysColor(color))
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

void ColorBrush::SetColor(TColor color) {
    FColor = color;
    if (IsSysColor(color)) {
        FOwned.reset();
        FShared = GetSysColorBrush(static_cast<int>(color & 0xFF));
    } else {
        FOwned.reset(CreateSolidBrush(color));
        FShared = nullptr;
    }
}
