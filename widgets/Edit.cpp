#include "Edit.h"

#include <commctrl.h>
#include <oleacc.h>

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(SysColor(COLOR_WINDOW));
    SetTabStop(true);
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    RecreateWnd();
}

void TCustomEdit::SetBiDiMode(TBiDiMode value) {
    if (value == FBiDiMode)
        return;
    FBiDiMode = value;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

DWORD TCustomEdit::SelStart() const {
    DWORD start = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return start;
}

DWORD TCustomEdit::SelLength() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end - start;
}

void TCustomEdit::GetAccessibleInfo(TAccessibleInfo& info) const {
    TWinControl::GetAccessibleInfo(info);
    info.Name = AccessibleName();
    info.Value = Text();
    info.Role = ROLE_SYSTEM_TEXT;
    if (FReadOnly)
        info.State |= STATE_SYSTEM_READONLY;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"EDIT";
    params.SystemClass = true;
    switch (FAlignment) {
    case TAlignment::taLeftJustify:
        params.Style |= ES_LEFT;
        break;
    case TAlignment::taRightJustify:
        params.Style |= ES_RIGHT;
        break;
    case TAlignment::taCenter:
        params.Style |= ES_CENTER;
        break;
    }
    if (FReadOnly)
        params.Style |= ES_READONLY;
    if (FBiDiMode == TBiDiMode::bdRightToLeft)
        params.ExStyle |= WS_EX_RTLREADING;
}

LRESULT TCustomEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The handlers that run from here (a key press, the exit of the control
    // that loses the focus) may destroy the box.
    const std::weak_ptr<const void> alive = Alive();
    switch (message) {
    case WM_CHAR:
        if (OnKeyPress) {
            auto key = static_cast<wchar_t>(wParam);
            RaiseEvent(OnKeyPress, this, key);
            if (alive.expired() || key == L'\0')
                return 0;
            wParam = key;
        }
        break;
    case WM_LBUTTONDOWN: {
        // A click places the caret where it lands; only other ways of getting
        // the focus select the whole text.
        FClicking = true;
        const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
        if (!alive.expired())
            FClicking = false;
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
        if (!alive.expired() && FAutoSelect && !FClicking)
            SelectAll();
        return result;
    }
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TEdit::SetTextHint(std::wstring hint) {
    FTextHint = std::move(hint);
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

void TEdit::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustSize();
}

void TEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
    TCustomEdit::HandleCreated();
    if (!FTextHint.empty())
        SetTextHint(FTextHint);
}

void TEdit::ConstrainBounds(int&, int&, int&, int& height) {
    if (FAutoSize)
        height = Font().TextHeight() + 8 * GetSystemMetrics(SM_CYBORDER);
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) { SetAutoSelect(false); }

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    // No ES_AUTOHSCROLL: lines wrap at the box's width.
    params.Style |= ES_MULTILINE;
}
