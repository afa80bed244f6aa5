#include "MainWindowFixture.h"

#include <gtest/gtest.h>

#include <map>

#include "Application.h"
#include "Clipboard.h"
#include "FormatSettings.h"
#include "UiTesting.h"

namespace {

// The sizes that the windows of this thread last asked for, seen as the
// platform is asked, before it applies its own limits.
std::map<HWND, SIZE> gRequestedSizes;

LRESULT CALLBACK RecordRequestedSize(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGING) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(message->lParam);
        if (!(position->flags & SWP_NOSIZE))
            gRequestedSizes[message->hwnd] = {position->cx, position->cy};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void UseLocale(LCID locale) {
    SetThreadLocale(locale);
    ostrafel::GetFormatSettings();
}

}  // namespace

ThreadLocaleGuard::ThreadLocaleGuard(LCID locale) : FSaved(GetThreadLocale()) { UseLocale(locale); }

ThreadLocaleGuard::~ThreadLocaleGuard() { UseLocale(FSaved); }

MainWindowFixture::MainWindowFixture(bool shown)
    : FLocale(kEnglishUS), FOwner(std::make_unique<TComponent>(nullptr)) {
    FSizeHook = SetWindowsHookExW(WH_CALLWNDPROC, RecordRequestedSize, nullptr, GetCurrentThreadId());
    FForm = MakeOwned<TForm1>(FOwner.get());
    if (shown)
        Show();
}

MainWindowFixture::~MainWindowFixture() {
    HWND window = FForm->Handle();
    FOwner.reset();
    gRequestedSizes.erase(window);
    UnhookWindowsHookEx(FSizeHook);
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
    FForm->EditScale->SetFocus();
    FForm->EditScale->SetText(L"");
    Type(*FForm->EditScale, typed);
    PressKey(VK_RETURN);
}

SIZE RequestedClientSize(TForm1& window) {
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    const auto found = gRequestedSizes.find(window.Handle());
    if (found == gRequestedSizes.end())
        return {client.right, client.bottom};
    const SIZE requested = found->second;
    return {requested.cx - ((frame.right - frame.left) - client.right),
            requested.cy - ((frame.bottom - frame.top) - client.bottom)};
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

void SetClipboardText(const std::wstring& text) { PutClipboardText(nullptr, text); }
