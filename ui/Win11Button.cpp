#include "Win11Button.h"

#include <oleacc.h>

TWin11Button::TWin11Button(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 120, 40);
    SetCaption(L"Button");
    FColorNormal = 0x00F0F0F0;
    FColorHover = 0x00E5E5E5;
    FColorPressed = 0x00DADADA;
    FFontColor = 0x00000000;
    SetOpaque(true);
    SetCursor(IDC_HAND);
    OnMouseEnter = Bind(this, &TWin11Button::MouseEnter);
    OnMouseLeave = Bind(this, &TWin11Button::MouseLeave);
}

void TWin11Button::GetAccessibleInfo(TAccessibleInfo& info) const {
    TCustomControl::GetAccessibleInfo(info);
    info.Role = ROLE_SYSTEM_PUSHBUTTON;
    info.DefaultAction = L"Press";
    if (FPressed)
        info.State |= STATE_SYSTEM_PRESSED;
    if (FHover)
        info.State |= STATE_SYSTEM_HOTTRACKED;
}

void TWin11Button::CaptionChanged() {
    TCustomControl::CaptionChanged();
    Invalidate();
}

void TWin11Button::FontChanged() {
    TCustomControl::FontChanged();
    Invalidate();
}

void TWin11Button::MouseEnter(TObject*) {
    FHover = true;
    Invalidate();
}

void TWin11Button::MouseLeave(TObject*) {
    // Leaving cancels the press for good: coming back does not re-arm it.
    FHover = false;
    FPressed = false;
    Invalidate();
}

void TWin11Button::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The mouse events' handlers may destroy the button.
    const std::weak_ptr<const void> alive = Alive();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!alive.expired() && Button == TMouseButton::mbLeft) {
        FPressed = true;
        Invalidate();
    }
}

void TWin11Button::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const std::weak_ptr<const void> alive = Alive();
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!alive.expired() && FPressed) {
        FPressed = false;
        Invalidate();
        Click();
    }
}

void TWin11Button::Paint() {
    RECT rect = ClientRect();
    Canvas.Brush.Style = TBrushStyle::bsSolid;
    Canvas.Brush.Color = FPressed ? FColorPressed : FHover ? FColorHover : FColorNormal;
    Canvas.Pen.Style = TPenStyle::psClear;
    // The corners outside the rounded shape keep the background, which is the
    // parent's colour.
    Canvas.RoundRect(rect.left, rect.top, rect.right, rect.bottom, 8, 8);
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.Font.Assign(Font());
    Canvas.Font.SetColor(FFontColor);
    Canvas.DrawText(Caption(), rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
