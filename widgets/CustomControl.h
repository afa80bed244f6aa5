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
    // An override that keeps OnMouseDown and OnMouseUp calls these.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // The control never clicks by itself: a derived control decides what makes
    // a click (a release over it, say) and calls this to raise OnClick.
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
