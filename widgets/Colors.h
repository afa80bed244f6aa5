// Colours: fixed COLORREF values or Windows system colours by index.
#pragma once

#include <cstdint>

#include "Handles.h"

// 0x00BBGGRR for a fixed colour; 0x80000000 + index for a system colour.
using TColor = std::uint32_t;

constexpr TColor SysColor(int index) { return 0x80000000u | static_cast<TColor>(index); }
constexpr bool IsSysColor(TColor color) { return (color & 0x80000000u) != 0; }

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
inline constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);

// The colour as it is on screen now (system colours follow the user's settings).
COLORREF ColorToRGB(TColor color);

// A solid brush of one colour: the shared system brush for a system colour,
// an owned brush for a fixed one.
class ColorBrush {
  public:
    ColorBrush() : ColorBrush(clBtnFace) {}
    explicit ColorBrush(TColor color) { SetColor(color); }
    void SetColor(TColor color);
    TColor Color() const { return FColor; }
    HBRUSH Handle() const { return FOwned ? FOwned.get() : FShared; }

  private:
    TColor FColor = clBtnFace;
    UniqueBrush FOwned;
    HBRUSH FShared = nullptr;  // system brush, not owned
};
