#include "Button.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    params.SystemClass = true;
}

bool TButtonControl::CommandNotify(WORD code) {
    if (code != BN_CLICKED)
        return false;
    Click();
    return true;
}

void TButtonControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_PUSHBUTTON;
}

LRESULT TButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The platform's button answers Space itself; Enter is ours.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        Click();
        return 0;
    }
    return TButtonControl::WndProc(message, wParam, lParam);
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated())
        return FChecked;
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool value) {
    FChecked = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() {
    TButtonControl::HandleCreated();
    SetChecked(FChecked);
}

bool TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED)
        FChecked = Checked();
    return TButtonControl::CommandNotify(code);
}
