#include "ErrorBox.h"

#include <commctrl.h>

namespace {

constexpr int kOkButton = 100;

// Centres window in the work area of the monitor nearest to reference.
void CentreOnWorkArea(HWND window, HWND reference) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const RECT& area = monitor.rcWork;
    const int left = area.left + ((area.right - area.left) - (bounds.right - bounds.left)) / 2;
    const int top = area.top + ((area.bottom - area.top) - (bounds.bottom - bounds.top)) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT CALLBACK ErrorBoxNotification(HWND dialog, UINT notification, WPARAM, LPARAM,
                                      LONG_PTR owner) {
    // The platform centres a task dialog on its own terms; the box belongs in
    // the middle of the screen that the window is on.
    if (notification == TDN_CREATED)
        CentreOnWorkArea(dialog, reinterpret_cast<HWND>(owner));
    return S_OK;
}

}  // namespace

void ShowErrorBox(HWND owner, const TErrorBoxTexts& texts, std::wstring_view message) {
    const std::wstring& title = texts.Title;
    const std::wstring content(message);
    const TASKDIALOG_BUTTON buttons[] = {{kOkButton, texts.OkCaption.c_str()}};

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_ERROR_ICON;
    config.pszContent = content.c_str();
    config.cButtons = 1;
    config.pButtons = buttons;
    config.nDefaultButton = kOkButton;
    config.pfCallback = ErrorBoxNotification;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(owner);
    if (FAILED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr)))
        // The task dialog is imported at load time, so it is there; making the box
        // can still fail when the system runs short of resources, and then the
        // plain message box says the same.
        MessageBoxW(owner, content.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}
