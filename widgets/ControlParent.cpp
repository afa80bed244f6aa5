// The control's side of its tie to the windowed parent: joining and leaving
// it, taking its font and colour, and being painted by it.
#include "WinControl.h"

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
