#include "MessageWindow.h"

#include "Exceptions.h"
#include "WindowProcedure.h"

namespace {
constexpr wchar_t kClassName[] = L"OstrafelMessageWindow";
constexpr TWindowProcedure<MessageWindow> kProcedure(L"Ostrafel.MessageWindow");
}

MessageWindow::MessageWindow(Kind kind, const std::wstring& title, Handler handler)
    : FHandler(std::move(handler)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly once the class exists
    HWND parent = kind == Kind::MessageOnly ? HWND_MESSAGE : nullptr;
    if (!CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP, 0, 0, 0, 0, parent, nullptr,
                         instance, this))
        RaiseLastOSError(L"Cannot create window");
}

MessageWindow::~MessageWindow() {
    // The handler may belong to an object that is going away; the dying
    // window gets default handling only.
    if (HWND window = FHandle.get())
        kProcedure.Unbind(window);
}

void MessageWindow::Attach(HWND window) {
    FHandle.reset(window);
    kProcedure.Bind(window, this);
}

void MessageWindow::Detach() {
    if (HWND window = FHandle.release())
        kProcedure.Unbind(window);
}

LRESULT MessageWindow::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // From a copy: the handler may destroy the window's object, and itself with it.
    if (const Handler handler = FHandler; handler && handler(message, wParam, lParam, result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    return kProcedure.ClassMessage(window, message, wParam, lParam);
}
