#include "CustomControl.h"

namespace {

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::Invalidate() {
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, FOpaque ? FALSE : TRUE);
}

void TCustomControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"OstrafelCustomControl";
}

void TCustomControl::PaintWindow(HDC dc, const RECT& area) {
    {
        TCanvas::DrawingScope drawing(Canvas, dc);
        Paint();
    }
    TWinControl::PaintWindow(dc, area);
}

void TCustomControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    RaiseEvent(OnMouseDown, this, Button, Shift, X, Y);
}

void TCustomControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    RaiseEvent(OnMouseUp, this, Button, Shift, X, Y);
}

void TCustomControl::Click() {
    RaiseEvent(OnClick, this);
}

void TCustomControl::MouseMoved(POINT point) {
    const RECT client = ClientRect();
    const bool inside = PtInRect(&client, point) != FALSE;
    if (inside) {
        // Asked again on every move: a capture in between may have ended it.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
    }
    if (inside && !FMouseInControl) {
        FMouseInControl = true;
        RaiseEvent(OnMouseEnter, this);
    } else if (!inside && FMouseInControl) {
        // Only while the mouse is captured do moves arrive from outside.
        PointerLeft();
    }
}

void TCustomControl::PointerLeft() {
    if (!FMouseInControl)
        return;
    FMouseInControl = false;
    RaiseEvent(OnMouseLeave, this);
}

void TCustomControl::ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    if (button == TMouseButton::mbLeft)
        SetCapture(Handle());
    const POINT point = PointOf(lParam);
    MouseDown(button, static_cast<TShiftState>(wParam), point.x, point.y);
}

void TCustomControl::ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    if (button == TMouseButton::mbLeft && GetCapture() == Handle())
        ReleaseCapture();
    const POINT point = PointOf(lParam);
    MouseUp(button, static_cast<TShiftState>(wParam), point.x, point.y);
}

LRESULT TCustomControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    struct ButtonMessage {
        UINT Message;
        TMouseButton Button;
        bool Down;
    };
    static constexpr ButtonMessage kButtonMessages[] = {
        {WM_LBUTTONDOWN, TMouseButton::mbLeft, true},   {WM_LBUTTONUP, TMouseButton::mbLeft, false},
        {WM_RBUTTONDOWN, TMouseButton::mbRight, true},  {WM_RBUTTONUP, TMouseButton::mbRight, false},
        {WM_MBUTTONDOWN, TMouseButton::mbMiddle, true}, {WM_MBUTTONUP, TMouseButton::mbMiddle, false},
    };
    for (const ButtonMessage& button : kButtonMessages)
        if (message == button.Message) {
            if (button.Down)
                ButtonDown(button.Button, wParam, lParam);
            else
                ButtonUp(button.Button, wParam, lParam);
            return 0;
        }
    switch (message) {
    case WM_MOUSEMOVE:
        MouseMoved(PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        PointerLeft();
        return 0;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}
