#include "Application.h"

#include <commctrl.h>

#include "ApplicationRules.h"
#include "FailureReport.h"

TApplication* Application = nullptr;

namespace {

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int ScreenPixelsPerInch() {
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int StartupShowCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

TApplication::TApplication()
    : TComponent(nullptr),
      FTitle(ApplicationTitleFromPath(ExecutablePath())),
      FIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0,
                                          LR_DEFAULTSIZE | LR_SHARED))),
      FPixelsPerInch(ScreenPixelsPerInch()),
      FTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")) {
    FWindow = std::make_unique<MessageWindow>(
        MessageWindow::Kind::HiddenTopLevel, FTitle,
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return HandleApplicationMessage(message, wParam, lParam, result);
        });
    if (FIcon)
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon));
    // The first ShowWindow of a process may take the start-up show command in
    // place of its own; spend that on the hidden window, so the main form gets
    // exactly the command that Run chooses.
    ShowWindow(Handle(), SW_HIDE);
    Application = this;
    FPreviousHost = TForm::SetHost(this);
    FPreviousSink = SetFailureSink(
        [this](const std::exception_ptr& failure) { HandleException(failure); });
}

TApplication::~TApplication() {
    DestroyComponents();
    FMainForm = nullptr;
    SetFailureSink(std::move(FPreviousSink));
    TForm::SetHost(FPreviousHost);
    if (Application == this)
        Application = nullptr;
}

HWND TApplication::FormOwner() const { return MainFormOnTaskbar ? nullptr : Handle(); }

void TApplication::FormClosed(TForm& form) {
    if (&form == FMainForm)
        Terminate();
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

const TAccessibilityLibrary* TApplication::Accessibility() {
    // Tried once: a system without the libraries stays without them.
    if (!FAccessibility)
        FAccessibility = std::make_unique<TAccessibilityLibrary>();
    return FAccessibility->Loaded() ? FAccessibility.get() : nullptr;
}

void TApplication::Run() {
    if (FMainForm)
        FMainForm->Show(MainFormShowCommand(StartupShowCommand()));
    MSG message;
    while (!FTerminated && GetMessageW(&message, nullptr, 0, 0) > 0)
        ProcessMessage(message);
    FTerminated = true;
}

bool TApplication::ProcessMessages() {
    MSG message;
    while (!FTerminated && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            FTerminated = true;
        else
            ProcessMessage(message);
    }
    return !FTerminated;
}

void TApplication::Terminate() {
    if (!FTerminated)
        PostQuitMessage(0);
}

void TApplication::ProcessMessage(MSG& message) {
    try {
        if (IsDialogKey(message))
            return;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    } catch (...) {
        ::HandleException(std::current_exception());
    }
}

// Keys that the form handles before its controls: shortcuts and the keys that
// move the focus.
bool TApplication::IsDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN)
        return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
    return form && form->DialogKey(message.wParam, message.lParam);
}

bool TApplication::HandleApplicationMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if ((message == WM_SETTINGCHANGE &&
         IsIntlSettingsSection(reinterpret_cast<const wchar_t*>(lParam))) ||
        (message == FTaskbarCreated && FTaskbarCreated != 0)) {
        SetThreadLocale(LOCALE_USER_DEFAULT);
        RaiseEvent(OnRegionalSettingsChange, this);
        result = 0;
        return true;
    }
    return false;
}

void TApplication::HandleException(const std::exception_ptr& failure) {
    if (HWND capture = GetCapture())
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
    const std::optional<std::wstring> text = FailureReportText(failure);
    if (!text)
        return;
    MessageBoxW(GetActiveWindow(), text->c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
}

int MainFormShowCommand(int startupShowCommand) {
    switch (startupShowCommand) {
    case SW_SHOWMAXIMIZED:
        return SW_SHOWMAXIMIZED;
    case SW_SHOWMINNOACTIVE:
        return SW_SHOWMINNOACTIVE;
    default:
        return SW_SHOWNORMAL;
    }
}
