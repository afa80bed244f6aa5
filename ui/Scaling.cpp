#include "Scaling.h"

namespace {

void ScaleControls(const TWinControl& parent, int multiplier, int divisor) {
    for (TControl* control : parent.Controls()) {
        const RECT bounds = ScaleEdges(control->BoundsRect(), multiplier, divisor);
        control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top);
        // A control that uses its parent's font follows the parent's scaling.
        if (!control->ParentFont())
            control->Font().SetHeight(MulDiv(control->Font().Height(), multiplier, divisor));
        if (const auto* windowed = dynamic_cast<const TWinControl*>(control))
            ScaleControls(*windowed, multiplier, divisor);
    }
}

}  // namespace

RECT ScaleEdges(const RECT& bounds, int multiplier, int divisor) {
    return {MulDiv(bounds.left, multiplier, divisor), MulDiv(bounds.top, multiplier, divisor),
            MulDiv(bounds.right, multiplier, divisor), MulDiv(bounds.bottom, multiplier, divisor)};
}

void ScaleBy(TForm& form, int multiplier, int divisor) {
    HWND window = form.Handle();
    const bool visible = IsWindowVisible(window) != FALSE;
    // Hiding the active window hands the activation to another program; a user who
    // only left the scale box with Tab keeps working in this window.
    const bool wasActive = GetActiveWindow() == window;
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (visible)
        SetWindowPos(window, nullptr, 0, 0, 0, 0, kKeepPlace | SWP_HIDEWINDOW);
    RECT position{};
    GetWindowRect(window, &position);

    ScaleControls(form, multiplier, divisor);
    // From the size the form asked for: where the platform cut the window to the
    // screen, scaling back down gives the size that fits the scaled controls.
    const SIZE client = form.RequestedClientSize();
    form.SetClientSize(MulDiv(client.cx, multiplier, divisor),
                       MulDiv(client.cy, multiplier, divisor));
    form.Font().SetHeight(MulDiv(form.Font().Height(), multiplier, divisor));

    SetWindowPos(window, nullptr, position.left, position.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : 0));
    if (visible && wasActive && GetActiveWindow() != window)
        SetForegroundWindow(window);
}
