#include "Control.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this] {
        if (!FTakingParentFont)
            FParentFont = false;
        FontChanged();
    };
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ConstrainBounds(left, top, width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    const RECT old = BoundsRect();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged(old);
}

void TControl::ConstrainBounds(int&, int&, int&, int&) {}

void TControl::SetCaption(std::wstring caption) {
    if (caption == FCaption)
        return;
    FCaption = std::move(caption);
    CaptionChanged();
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    ParentFontChanged();
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FBrush.Color())
        return;
    FBrush.SetColor(color);
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    ParentColorChanged();
}

void TGraphicControl::PaintOn(HDC dc) {
    ScopedSaveDC saved(dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
    TCanvas::DrawingScope drawing(Canvas, dc);
    Paint();
}
