#include "Button.h"

#include <oleacc.h>

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::GetAccessibleInfo(TAccessibleInfo& info) const {
    TWinControl::GetAccessibleInfo(info);
    if (const std::wstring caption = Caption(); !caption.empty() && caption != info.Name) {
        info.Value = caption;
        info.Description = caption;
    }
    if (HandleAllocated() && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED))
        info.State |= STATE_SYSTEM_PRESSED;
}

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
    RaiseEvent(OnClick, this);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_PUSHBUTTON;
}

void TButton::GetAccessibleInfo(TAccessibleInfo& info) const {
    TButtonControl::GetAccessibleInfo(info);
    info.Role = ROLE_SYSTEM_PUSHBUTTON;
    info.DefaultAction = L"Press";
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

void TCheckBox::GetAccessibleInfo(TAccessibleInfo& info) const {
    TButtonControl::GetAccessibleInfo(info);
    info.Role = ROLE_SYSTEM_CHECKBUTTON;
    const bool checked = Checked();
    if (checked)
        info.State |= STATE_SYSTEM_CHECKED;
    info.DefaultAction = checked ? L"Uncheck" : L"Check";
}

void TCheckBox::DoAccessibleDefaultAction() {
    // As a click of the user's: the state turns over, then the click event runs.
    SetChecked(!Checked());
    Click();
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
