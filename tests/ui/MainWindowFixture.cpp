#include "MainWindowFixture.h"

#include <gtest/gtest.h>

#include <utility>

#include "Application.h"
#include "Clipboard.h"
#include "FormatSettings.h"
#include "ResourceText.h"
#include "UiTesting.h"

namespace {

void UseLocale(LCID locale) {
    SetThreadLocale(locale);
    ostrafel::GetFormatSettings();
}

}  // namespace

void LeaveTheNetworkAlone(TForm1& window) {
    window.TimerInternet->SetOnTimer([](TObject*) {});
}

ThreadLocaleGuard::ThreadLocaleGuard(LCID locale) : FSaved(GetThreadLocale()) { UseLocale(locale); }

ThreadLocaleGuard::~ThreadLocaleGuard() { UseLocale(FSaved); }

MainWindowFixture::MainWindowFixture(bool shown)
    : FLocale(kEnglishUS),
      // What the window asks the platform for, before the platform applies its limits.
      FSizeSpy([this](HWND window, UINT message, WPARAM, LPARAM lParam) {
          const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
          if (message == WM_WINDOWPOSCHANGING && FForm && window == FForm->Handle() &&
              !(position->flags & SWP_NOSIZE))
              FRequestedSize = {position->cx, position->cy};
      }),
      FOwner(std::make_unique<TComponent>(nullptr)) {
    // As the program makes it: an unowned window with its own taskbar button.
    FSavedOnTaskbar = std::exchange(Application->MainFormOnTaskbar, true);
    FForm = MakeOwned<TForm1>(FOwner.get());
    LeaveTheNetworkAlone(*FForm);
    if (shown)
        Show();
}

MainWindowFixture::~MainWindowFixture() {
    FOwner.reset();
    FForm = nullptr;
    Application->MainFormOnTaskbar = FSavedOnTaskbar;
    PumpMessages();
}

void MainWindowFixture::Show() {
    FForm->Show();
    SetForegroundWindow(FForm->Handle());
    UpdateWindow(FForm->Handle());
    PumpMessages();
}

void MainWindowFixture::Type(TWinControl& box, std::wstring_view text) {
    for (wchar_t character : text)
        PostMessageW(box.Handle(), WM_CHAR, character, 1);
    PumpMessages();
}

void MainWindowFixture::Click(TWinControl& control) {
    ClickAt(ScreenPoint(control.Handle(), control.Width() / 2, control.Height() / 2));
}

void MainWindowFixture::Calculate(std::wstring_view typed) {
    FForm->EditSFU->SetText(L"");
    Type(*FForm->EditSFU, typed);
    Click(*FForm->Calculate);
}

void MainWindowFixture::ApplyScale(std::wstring_view typed) {
    RestoreActivation();
    FForm->EditScale->SetFocus();
    FForm->EditScale->SetText(L"");
    Type(*FForm->EditScale, typed);
    PressKey(VK_RETURN);
    RestoreActivation();
}

void MainWindowFixture::RestoreActivation() { ::RestoreActivation(FForm->Handle()); }

SIZE MainWindowFixture::RequestedClientSize() const {
    RECT frame{};
    GetWindowRect(FForm->Handle(), &frame);
    RECT client{};
    GetClientRect(FForm->Handle(), &client);
    if (!FRequestedSize)
        return {client.right, client.bottom};
    return {FRequestedSize->cx - ((frame.right - frame.left) - client.right),
            FRequestedSize->cy - ((frame.bottom - frame.top) - client.bottom)};
}

std::optional<std::wstring> ClipboardText() {
    if (!PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const auto* characters = static_cast<const wchar_t*>(GlobalLock(data));
        const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
        if (characters) {
            const std::wstring_view all(characters, capacity);
            if (const std::size_t end = all.find(L'\0'); end != std::wstring_view::npos)
                text = std::wstring(all.substr(0, end));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) { PutClipboardText(nullptr, text, ClipboardTexts()); }
