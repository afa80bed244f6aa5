#include "MessageWindow.h"

#include "Exceptions.h"
#include "FailureSink.h"
#include "WindowBinding.h"

namespace {
constexpr wchar_t kClassName[] = L"OstrafelMessageWindow";
constexpr TWindowBinding<MessageWindow> kBinding(L"Ostrafel.MessageWindow");
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
        kBinding.Unbind(window);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->FHandle.reset(window);
        kBinding.Bind(window, self);
    }
    auto* self = kBinding.Find(window);
    if (message == WM_NCDESTROY && self) {
        kBinding.Unbind(window);
        self->FHandle.release();
        self = nullptr;
    }
    if (self && self->FHandler) {
        try {
            LRESULT result = 0;
            // From a copy: the handler may destroy the window's object, and itself with it.
            const Handler handler = self->FHandler;
            if (handler(message, wParam, lParam, result))
                return result;
        } catch (...) {
            HandleException(std::current_exception());
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
