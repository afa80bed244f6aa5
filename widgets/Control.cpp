#include "Control.h"

#include "WinControl.h"

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

void TGraphicControl::PaintOn(HDC dc) {
    ScopedSaveDC saved(dc);
    IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
    OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
    TCanvas::DrawingScope drawing(Canvas, dc);
    Paint();
}

// The control's side of its tie to the windowed parent: joining and leaving
// it, taking its font and colour, and being painted by it.
TControl::~TControl() {
    FFont.OnChange = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent)
        return;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = parent;
    if (!parent)
        return;
    parent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent)
        return;
    FTakingParentFont = true;
    FFont.Assign(FParent->Font());
    FTakingParentFont = false;
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent || FParent->Color() == FBrush.Color())
        return;
    FBrush.SetColor(FParent->Color());
    ColorChanged();
}

void TGraphicControl::Invalidate() {
    if (TWinControl* parent = Parent())
        parent->InvalidateArea(BoundsRect());
}

void TGraphicControl::BoundsChanged(const RECT& old) {
    if (TWinControl* parent = Parent())
        parent->InvalidateArea(old);
    Invalidate();
}
