// The program's native controls in their places, made with plain Win32 calls: no
// labels, no picture, no widget layer. Started beside the program, it shows how
// much of the start-up the platform's controls take by themselves.
#include <windows.h>

#include <commctrl.h>

#include "ReferenceWindow.h"

namespace {

HFONT Font(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                       L"Segoe UI");
}

struct Control {
    const wchar_t* ClassName;
    const wchar_t* Text;
    DWORD Style;
    DWORD ExStyle;
    int Left, Top, Width, Height;
    int FontHeight;
    bool TakesFocus = false;
};

constexpr DWORD kEntry = ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr Control kControls[] = {
    {L"EDIT", L"", kEntry, WS_EX_CLIENTEDGE, 0, 0, 61, 33, 18},
    {L"EDIT", L"", kEntry, WS_EX_CLIENTEDGE, 75, 113, 450, 56, 36, true},
    {L"ControlsWindowButton", L"", 0, 0, 75, 215, 450, 60, 36},
    {L"EDIT", L"", kEntry, WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 75, 318, 450, 56, 36},
    {L"BUTTON", L"FORM 1", BS_PUSHBUTTON | WS_TABSTOP, 0, 75, 480, 450, 38, 29},
    {L"BUTTON", L"FORM 2", BS_PUSHBUTTON | WS_TABSTOP, 0, 75, 623, 450, 37, 29},
    {L"BUTTON", L"FORM 3", BS_PUSHBUTTON | WS_TABSTOP, 0, 75, 765, 450, 38, 29},
    {L"BUTTON", L"", kCheck, 0, 228, 827, 26, 27, 18},
    {L"BUTTON", L"", kCheck, 0, 498, 827, 27, 27, 18},
    {L"BUTTON", L"", kCheck, 0, 498, 891, 150, 25, 18},
    {L"EDIT", L"", ES_MULTILINE | ES_RIGHT | ES_READONLY | WS_TABSTOP, WS_EX_RTLREADING, 25, 930, 552, 78, 22},
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    if (!RegisterReferenceClass(instance, L"ControlsWindow") ||
        !RegisterReferenceClass(instance, L"ControlsWindowButton")) {
        return 1;
    }
    constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
    RECT bounds{0, 0, 600, 1125};
    AdjustWindowRect(&bounds, style, FALSE);
    HWND window = CreateWindowExW(0, L"ControlsWindow", L"Controls window", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    HWND entry = nullptr;
    for (const Control& control : kControls) {
        HWND child = CreateWindowExW(control.ExStyle, control.ClassName, control.Text,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | control.Style,
                                     control.Left, control.Top, control.Width, control.Height, window,
                                     nullptr, instance, nullptr);
        // Fonts are left to the system when the program ends.
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control.FontHeight)), FALSE);
        if (control.TakesFocus) {
            entry = child;
        }
    }
    ShowWindow(window, show);
    SetFocus(entry);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
