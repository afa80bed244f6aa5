// Controls: a position in the parent's client area, a caption, a font and a
// background colour. Graphic controls have no window of their own; their
// parent paints them, beneath its windowed children.
#pragma once

#include <string>

#include "Canvas.h"
#include "Colors.h"
#include "Component.h"
#include "Font.h"

class TWinControl;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    // Self-sizing controls may change the size (and a right-aligned label its left).
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }

    virtual std::wstring Caption() const { return FCaption; }
    virtual void SetCaption(std::wstring caption);

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    // True while the control uses its parent's font; setting the font ends it.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    TColor Color() const { return FBrush.Color(); }
    void SetColor(TColor color);
    // True while the control shows its parent's colour; setting the colour ends it.
    bool ParentColor() const { return FParentColor; }

    // A system cursor (IDC_HAND and so on); null for the class cursor.
    LPCWSTR Cursor() const { return FCursor; }
    void SetCursor(LPCWSTR cursor) { FCursor = cursor; }

    virtual void Invalidate() = 0;

  protected:
    HBRUSH BrushHandle() const { return FBrush.Handle(); }
    // Lets a self-sizing control replace the bounds that SetBounds asked for.
    virtual void ConstrainBounds(int& left, int& top, int& width, int& height);
    // Runs SetBounds again with the current bounds, for a size that follows the font.
    void AdjustSize() { SetBounds(FLeft, FTop, FWidth, FHeight); }
    virtual void BoundsChanged(const RECT& /*old*/) {}
    virtual void CaptionChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() { Invalidate(); }

  private:
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* FParent = nullptr;  // not owned
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    std::wstring FCaption;
    TFont FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    ColorBrush FBrush;
    bool FParentColor = true;
    LPCWSTR FCursor = nullptr;  // system resource id, not owned
};

class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    void Invalidate() override;

  protected:
    TCanvas Canvas;
    // Draws the control at (0, 0) of the canvas, clipped to its bounds.
    virtual void Paint() = 0;
    void CaptionChanged() override { Invalidate(); }
    void FontChanged() override { Invalidate(); }
    void BoundsChanged(const RECT& old) override;

  private:
    friend class TWinControl;
    void PaintOn(HDC dc);
};
