// What the reference programs of the start-up timing share: a window class whose
// windows end the program when closed.
#pragma once

#include <windows.h>

inline LRESULT CALLBACK QuitWhenDestroyed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A class with the arrow cursor and the desktop's colour behind.
inline bool RegisterReferenceClass(HINSTANCE instance, const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = QuitWhenDestroyed;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BACKGROUND);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}
