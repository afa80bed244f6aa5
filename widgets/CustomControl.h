// A windowed control that draws itself on a canvas and follows the mouse:
// pointer enter and leave, button down and up, the mouse captured while the
// left button is held.
#pragma once

#include "WinControl.h"

class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* AOwner);

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    RECT ClientRect() const { return {0, 0, Width(), Height()}; }
    bool MouseInControl() const { return FMouseInControl; }
    // An opaque control paints all of itself: a repaint does not erase first.
    bool Opaque() const { return FOpaque; }
    void SetOpaque(bool value) { FOpaque = value; }

    void Invalidate() override;

  protected:
    // The canvas is valid while Paint runs.
    TCanvas Canvas;
    virtual void Paint() {}
    // Raise OnMouseDown and OnMouseUp.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Raises OnClick.
    void Click();

    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintWindow(HDC dc, const RECT& area) override;

  private:
    void MouseMoved(POINT point);
    void PointerLeft();
    void ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam);
    void ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam);

    bool FMouseInControl = false;
    bool FOpaque = false;
};
