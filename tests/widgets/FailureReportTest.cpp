// The failure report: its text rules, and the message box that a failure in
// an event handler brings up while the message loop goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Button.h"
#include "Exceptions.h"
#include "FailureReport.h"
#include "FailureSink.h"
#include "Timer.h"
#include "UiTesting.h"

namespace {

TEST(FullStop, AppendedUnlessTheTextEndsAtOrBelowAFullStop) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Out of system resources", L"Out of system resources."},
        {L"", L""},
        {L"Done.", L"Done."},
        {L"Why?", L"Why?."},        // U+003F is above U+002E
        {L"Stop!", L"Stop!"},       // U+0021
        {L"trailing ", L"trailing "},
        {L"a-", L"a-"},             // U+002D
        {L"a/", L"a/."},            // U+002F
        {L"x9", L"x9."},
        {L"\u062E\u0637\u0627", L"\u062E\u0637\u0627."},
        {L".", L"."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(WithFullStop(text), expected) << WideToUtf8(text);
}

std::optional<std::wstring> TextFor(const std::function<void()>& raise) {
    try {
        raise();
    } catch (...) {
        return FailureReportText(std::current_exception());
    }
    ADD_FAILURE() << "nothing raised";
    return std::nullopt;
}

TEST(FailureReportText, InnermostMessageWithFullStop) {
    EXPECT_EQ(TextFor([] { throw Exception(L"Cannot open clipboard: Access is denied"); }),
              L"Cannot open clipboard: Access is denied.");
    EXPECT_EQ(TextFor([] { throw std::runtime_error("caf\xC3\xA9"); }), L"caf\u00E9.");
    EXPECT_EQ(TextFor([] {
                  try {
                      try {
                          throw Exception(L"Innermost");
                      } catch (...) {
                          std::throw_with_nested(std::runtime_error("middle"));
                      }
                  } catch (...) {
                      std::throw_with_nested(Exception(L"outer"));
                  }
              }),
              L"Innermost.");
    EXPECT_EQ(TextFor([] { throw Exception(L""); }), L"");
    EXPECT_EQ(TextFor([] { throw EAbort(); }), std::nullopt);
    EXPECT_TRUE(TextFor([] { throw 42; }).has_value());
}

// What a message box showed, read by a timer of the box's own modal loop, which
// then closes it.
struct SeenBox {
    int Count = 0;
    std::wstring Caption;
    std::wstring Text;
    HWND Owner = nullptr;
    bool ErrorIcon = false;
};

SeenBox* gSeen = nullptr;

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
    if (ClassName(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM) {
    if (ClassName(window) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    ++gSeen->Count;
    gSeen->Caption = WindowText(window);
    gSeen->Text = WindowText(GetDlgItem(window, 0xFFFF));
    gSeen->Owner = GetWindow(window, GW_OWNER);
    bool icon = false;
    EnumChildWindows(window, FindIcon, reinterpret_cast<LPARAM>(&icon));
    gSeen->ErrorIcon = icon;
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
}

class FailureInHandler : public ::testing::Test {
  protected:
    FailureInHandler() {
        FButton = FHost.Add<TButton>(10, 10, 100, 30);
        FHost.Show();
        gSeen = &FSeen;
        FTimer = SetTimer(nullptr, 0, 50, CloseBoxes);
    }
    ~FailureInHandler() override {
        KillTimer(nullptr, FTimer);
        gSeen = nullptr;
    }
    // Clicks the button as the user does, through the message loop.
    void Click() {
        PostMessageW(FButton->Handle(), BM_CLICK, 0, 0);
        PumpMessages();
    }

    TestForm FHost;
    TButton* FButton;
    SeenBox FSeen;
    UINT_PTR FTimer;
};

TEST_F(FailureInHandler, ShowsTheMessageCaptionedWithTheTitleAndGoesOn) {
    int clicks = 0;
    FButton->OnClick = [&clicks](TObject*) {
        ++clicks;
        SetCapture(GetActiveWindow());
        throw Exception(L"Out of system resources");
    };
    Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(FSeen.Count, 1);
    EXPECT_EQ(FSeen.Caption, Application->Title());
    EXPECT_EQ(FSeen.Text, L"Out of system resources.");
    EXPECT_EQ(FSeen.Owner, FHost.Handle());
    EXPECT_TRUE(FSeen.ErrorIcon);
    EXPECT_EQ(GetCapture(), nullptr);

    // The loop goes on: the next click runs the handler again.
    Click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(FSeen.Count, 2);
}

TEST_F(FailureInHandler, AbortIsSilent) {
    int clicks = 0;
    FButton->OnClick = [&clicks](TObject*) {
        ++clicks;
        throw EAbort();
    };
    Click();
    Click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(FSeen.Count, 0);
}

// The message of a failure that reached a sink.
std::wstring MessageOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.Message();
    } catch (...) {
        return L"?";
    }
}

TEST_F(FailureInHandler, GoesToTheInstalledSinkInsteadOfTheReport) {
    std::vector<std::wstring> caught;
    const TFailureSink previous = SetFailureSink(
        [&caught](const std::exception_ptr& failure) { caught.push_back(MessageOf(failure)); });
    // A control's window and a timer's message window alike.
    FButton->OnClick = [](TObject*) { throw Exception(L"from the button"); };
    TComponent owner(nullptr);
    auto* timer = MakeOwned<TTimer>(&owner);
    timer->SetInterval(10);
    timer->SetOnTimer([timer](TObject*) {
        timer->SetEnabled(false);
        throw Exception(L"from the timer");
    });
    Click();
    EXPECT_TRUE(PumpUntil([&caught] { return caught.size() >= 2; }));
    SetFailureSink(previous);
    std::sort(caught.begin(), caught.end());
    EXPECT_EQ(caught, (std::vector<std::wstring>{L"from the button", L"from the timer"}));
    EXPECT_EQ(FSeen.Count, 0);

    // The application's report is back.
    Click();
    EXPECT_EQ(FSeen.Count, 1);
    EXPECT_EQ(FSeen.Text, L"from the button.");
}

}  // namespace
