#include "DialogWatch.h"

#include "UiTesting.h"

namespace {

DialogWatch* gWatch = nullptr;

// A dialog still open after this many ticks did not react to the user's way
// of closing it.
constexpr int kPatienceTicks = 60;

void SendKey(WORD key) {
    // Straight into the input queue; the dialog's own loop reads it.
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void ClickInTheMiddle(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    INPUT inputs[3] = {};
    const DWORD flags[] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = ((bounds.left + bounds.right) / 2 * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) /
                          GetSystemMetrics(SM_CXSCREEN);
        inputs[i].mi.dy = ((bounds.top + bounds.bottom) / 2 * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) /
                          GetSystemMetrics(SM_CYSCREEN);
        inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(3, inputs, sizeof(INPUT));
}

BOOL CALLBACK CollectChild(HWND child, LPARAM seen) {
    auto* dialog = reinterpret_cast<SeenDialog*>(seen);
    if (!IsWindowVisible(child))
        return TRUE;
    const std::wstring kind = ClassName(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON)
            dialog->Icon = true;
        else if (const std::wstring text = WindowText(child); !text.empty())
            dialog->Texts.push_back(text);
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        dialog->Buttons.push_back(WindowText(child));
    }
    return TRUE;
}

SeenDialog Describe(HWND dialog) {
    SeenDialog seen;
    seen.Caption = WindowText(dialog);
    seen.Owner = GetWindow(dialog, GW_OWNER);
    GetWindowRect(dialog, &seen.Bounds);
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

}  // namespace

DialogWatch::DialogWatch(CloseBy closeBy) : FCloseBy(closeBy) {
    gWatch = this;
    FTimer = SetTimer(nullptr, 0, 50, Tick);
}

DialogWatch::~DialogWatch() {
    KillTimer(nullptr, FTimer);
    gWatch = nullptr;
}

void CALLBACK DialogWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatch)
        EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(gWatch));
}

BOOL CALLBACK DialogWatch::Visit(HWND window, LPARAM self) {
    if (ClassName(window) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    reinterpret_cast<DialogWatch*>(self)->Handle(window);
    return FALSE;
}

void DialogWatch::Handle(HWND dialog) {
    if (dialog == FCurrent) {
        if (++FTicksOpen == kPatienceTicks) {
            FSeen.back().Forced = true;
            EndDialog(dialog, IDCANCEL);
        }
        return;
    }
    FCurrent = dialog;
    FTicksOpen = 0;
    FSeen.push_back(Describe(dialog));
    if (OnSeen)
        OnSeen(dialog);
    switch (FCloseBy) {
    case CloseBy::Enter:
        SendKey(VK_RETURN);
        break;
    case CloseBy::Escape:
        SendKey(VK_ESCAPE);
        break;
    case CloseBy::CloseBox:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CloseBy::FirstButton:
        ClickInTheMiddle(FindWindowExW(dialog, nullptr, L"Button", nullptr));
        break;
    }
}
