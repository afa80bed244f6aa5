// The least a Windows program does to show a window: the reference for start-up timing.
#include <windows.h>

#include "ReferenceWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (!RegisterReferenceClass(instance, L"EmptyWindow")) {
        return 1;
    }
    // As large as the program's window, so that both paint as many pixels.
    constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
    RECT bounds{0, 0, 600, 1125};
    AdjustWindowRect(&bounds, style, FALSE);
    HWND window = CreateWindowExW(0, L"EmptyWindow", L"Empty window", style,
                                  CW_USEDEFAULT, CW_USEDEFAULT, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
