// Drawing on a device context that someone else owns, with a brush, a pen and a
// font described by value; each drawing call makes and selects the GDI objects
// it needs and puts the previous ones back.
#pragma once

#include <string_view>

#include "Colors.h"
#include "Font.h"

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psClear };

class TCanvas {
  public:
    struct TBrush {
        TColor Color = clWhite;
        TBrushStyle Style = TBrushStyle::bsSolid;
    };
    struct TPen {
        TColor Color = clBlack;
        TPenStyle Style = TPenStyle::psSolid;
        int Width = 1;
    };

    TBrush Brush;
    TPen Pen;
    TFont Font;

    // The device context; null outside painting.
    HDC Handle() const { return FDC; }

    void FillRect(const RECT& rect);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // DrawTextW with the canvas font and font colour; the background is filled
    // with the brush colour unless the brush is clear.
    int DrawText(std::wstring_view text, RECT& rect, UINT format);

    // Lends the canvas a device context for the lifetime of the scope.
    class DrawingScope {
      public:
        DrawingScope(TCanvas& canvas, HDC dc) : FCanvas(canvas) { canvas.FDC = dc; }
        ~DrawingScope() { FCanvas.FDC = nullptr; }
        DrawingScope(const DrawingScope&) = delete;
        DrawingScope& operator=(const DrawingScope&) = delete;

      private:
        TCanvas& FCanvas;
    };

  private:
    HDC FDC = nullptr;  // not owned
};
