// The program's rounded push button: flat, borderless, its fill following the
// pointer (normal, hovered, pressed) and its caption centred on one line.
// It reports one click per press of the left button that is released without
// the pointer having left the control in between.
#pragma once

#include "CustomControl.h"

class TWin11Button : public TCustomControl {
  public:
    explicit TWin11Button(TComponent* AOwner);

    // Each setter only stores the colour; it shows at the next repaint.
    TColor ColorNormal() const { return FColorNormal; }
    void SetColorNormal(TColor value) { FColorNormal = value; }
    TColor ColorHover() const { return FColorHover; }
    void SetColorHover(TColor value) { FColorHover = value; }
    TColor ColorPressed() const { return FColorPressed; }
    void SetColorPressed(TColor value) { FColorPressed = value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value) { FFontColor = value; }

    bool Hovered() const { return FHover; }
    bool Pressed() const { return FPressed; }

    // A push button, named by its caption, that assistive programs press.
    void GetAccessibleInfo(TAccessibleInfo& info) const override;

  protected:
    // The same click as the mouse's.
    void DoAccessibleDefaultAction() override { Click(); }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CaptionChanged() override;
    void FontChanged() override;

  private:
    void MouseEnter(TObject* Sender);
    void MouseLeave(TObject* Sender);

    bool FHover = false;
    bool FPressed = false;
    TColor FColorNormal;
    TColor FColorHover;
    TColor FColorPressed;
    TColor FFontColor;
};
