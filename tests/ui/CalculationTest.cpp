// The main window's handlers as the user meets them: what the boxes let through,
// a calculation and how its outcome shows, the error box, and the switch that
// keeps the window on top.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "Application.h"
#include "CalculationOutcome.h"
#include "DialogWatch.h"
#include "Exceptions.h"
#include "MainWindowFixture.h"
#include "MessageSpy.h"
#include "TextConversion.h"
#include "UiTesting.h"

namespace {

const std::wstring kInvalidEntry = ToWide(ostrafel::kInvalidEntryMessage);
const std::wstring kOutOfRange = ToWide(ostrafel::kOutOfRangeMessage);
const std::array<std::wstring, 3> kInitialCaptions = {L"FORM 1", L"FORM 2", L"FORM 3"};

std::array<std::wstring, 3> Captions(TForm1& window) {
    return {window.Button2->Caption(), window.Button3->Caption(), window.Button4->Caption()};
}

// Pixels of a font size given in points, at the screen's density from start-up.
int PointsToPixels(int points) { return MulDiv(points, Application->PixelsPerInch(), 72); }

int EditHeightFor(int characterHeight) {
    return MetricsOf(MakeLogFont(L"Segoe UI", characterHeight)).tmHeight +
           8 * GetSystemMetrics(SM_CYBORDER);
}

bool RightToLeft(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0; }

class Behaviour : public ::testing::Test, public MainWindowFixture {};

TEST(ShowHandler, ShowingTheWindowStopsTypingInTheResultAndEmptiesTheNewsBox) {
    MainWindowFixture fixture(false);
    TForm1& window = fixture.Window();
    fixture.Type(*window.EditGPM, L"5");
    EXPECT_EQ(window.EditGPM->Text(), L"5");
    EXPECT_EQ(window.MemoWidget->Text(), L"MemoWidget");
    EXPECT_TRUE(window.TimerInternet->Running());

    fixture.Show();
    window.EditGPM->SetText(L"");
    fixture.Type(*window.EditGPM, L"5");
    EXPECT_EQ(window.EditGPM->Text(), L"");
    EXPECT_EQ(window.MemoWidget->Text(), L"");
    EXPECT_TRUE(window.TimerInternet->Enabled());
    EXPECT_TRUE(window.TimerInternet->Running());
    EXPECT_EQ(GetFocus(), window.EditSFU->Handle());
}

TEST_F(Behaviour, EntryBoxLetsThroughDigitsSeparatorsPlusAndBackspace) {
    struct Case {
        const wchar_t* Typed;
        const wchar_t* Shown;
    };
    const Case cases[] = {
        {L"1a2", L"12"},
        {L"-5", L"5"},
        {L"10+12.5,3", L"10+12.5,3"},
        {L"12\b3", L"13"},
        {L"1 2\t3", L"123"},
        {L"\u06F1\u06F2\u06F3", L""},     // Persian digits
        {L"\u0661\uFF11", L""},           // Arabic-Indic and full-width digits
        {L"12\r", L"12"},                 // Enter
        {L"12\x1B", L"12"},               // Escape
        {L"12\x01" L"5", L"125"},         // Ctrl+A selects nothing
        {L"12\x03\x18\x1A", L"12"},       // Ctrl+C, Ctrl+X, Ctrl+Z
        {L"12\x16", L"12"},               // Ctrl+V pastes nothing
    };
    SetClipboardText(L"99");
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.Shown));
        Window().EditSFU->SetText(L"");
        Type(*Window().EditSFU, c.Typed);
        EXPECT_EQ(Window().EditSFU->Text(), c.Shown);
    }
    // Enter started no calculation.
    EXPECT_EQ(Window().EditGPM->Text(), L"");
}

TEST_F(Behaviour, PasteFromTheContextMenuInsertsAnyText) {
    SetClipboardText(L"1a");
    Window().EditSFU->SetText(L"2");
    SendMessageW(Window().EditSFU->Handle(), EM_SETSEL, 1, 1);
    SendMessageW(Window().EditSFU->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Window().EditSFU->Text(), L"21a");
}

// What the boxes held whenever the result box received a text.
struct ResultTextSeen {
    std::wstring Entry;
    std::wstring Result;
    int FontHeight = 0;
    bool RightToLeft = false;
};

// Records what the boxes held at each text that the result box receives.
class ResultTextSpy {
  public:
    explicit ResultTextSpy(TForm1& window)
        : FSpy([this, &window](HWND target, UINT message, WPARAM, LPARAM lParam) {
              if (message == WM_SETTEXT && target == window.EditGPM->Handle())
                  FSeen.push_back({window.EditSFU->Text(), reinterpret_cast<const wchar_t*>(lParam),
                                   FontOf(target).lfHeight, RightToLeft(target)});
          }) {}
    const std::vector<ResultTextSeen>& Seen() const { return FSeen; }

  private:
    std::vector<ResultTextSeen> FSeen;
    MessageSpy FSpy;
};

TEST_F(Behaviour, ComputedResultShowsIn14PointsLeftToRightAfterTheSumsTotal) {
    struct Case {
        const wchar_t* Typed;
        const wchar_t* Entry;
        std::array<std::wstring, 3> Captions;
    };
    const Case cases[] = {
        {L"22", L"22", {L"SFU=22", L"GPM=20.36", L"22 SFU \u2192 20.36 GPM"}},
        {L"10+12", L"22", {L"SFU=22", L"GPM=20.36", L"22 SFU \u2192 20.36 GPM"}},
        {L"12,5", L"12,5", {L"SFU=12,5", L"GPM=16.25", L"12,5 SFU \u2192 16.25 GPM"}},
        {L"3296", L"3296", {L"SFU=3296", L"GPM=460.23", L"3296 SFU \u2192 460.23 GPM"}},
    };
    const int height = PointsToPixels(14);
    if (Application->PixelsPerInch() == 96) {
        EXPECT_EQ(height, 19);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.Typed));
        ResultTextSpy spy(Window());
        Calculate(c.Typed);
        HWND result = Window().EditGPM->Handle();
        const std::wstring shown = c.Captions[1].substr(4);

        // The total was in the entry box, and the box's look set, before the result came.
        ASSERT_EQ(spy.Seen().size(), 1u);
        EXPECT_EQ(spy.Seen()[0].Entry, c.Entry);
        EXPECT_EQ(spy.Seen()[0].Result, shown);
        EXPECT_EQ(spy.Seen()[0].FontHeight, -height);
        EXPECT_FALSE(spy.Seen()[0].RightToLeft);

        EXPECT_EQ(Window().EditSFU->Text(), c.Entry);
        EXPECT_EQ(Window().EditGPM->Text(), shown);
        EXPECT_EQ(Captions(Window()), c.Captions);
        const LOGFONTW font = FontOf(result);
        EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
        EXPECT_EQ(font.lfHeight, -height);
        EXPECT_EQ(Window().EditGPM->Font().Color(), SysColor(COLOR_WINDOWTEXT));
        EXPECT_TRUE(GetWindowLongW(result, GWL_STYLE) & ES_CENTER);
        EXPECT_FALSE(RightToLeft(result));
        // Less tall than at the start, its top in place.
        const RECT bounds = BoundsInParent(result);
        EXPECT_EQ(bounds.top, 318);
        EXPECT_EQ(bounds.bottom - bounds.top, EditHeightFor(height));
        EXPECT_EQ(bounds.left, 75);
        EXPECT_EQ(bounds.right, 525);
    }
}

TEST_F(Behaviour, OutOfRangeShowsTheMessageIn12PointsRightToLeft) {
    struct Case {
        const wchar_t* Typed;
        const wchar_t* Entry;
    };
    const int height = PointsToPixels(12);
    if (Application->PixelsPerInch() == 96) {
        EXPECT_EQ(height, 16);
    }
    for (const Case& c : {Case{L"6000", L"6000"}, Case{L"3000+3000", L"6000"}, Case{L"0.5", L"0.5"},
                          Case{L"0", L"0"}}) {
        SCOPED_TRACE(WideToUtf8(c.Typed));
        ResultTextSpy spy(Window());
        Calculate(c.Typed);
        ASSERT_EQ(spy.Seen().size(), 1u);
        EXPECT_EQ(spy.Seen()[0].Entry, c.Entry);
        EXPECT_EQ(spy.Seen()[0].FontHeight, -height);
        EXPECT_TRUE(spy.Seen()[0].RightToLeft);

        HWND result = Window().EditGPM->Handle();
        EXPECT_EQ(Window().EditSFU->Text(), c.Entry);
        EXPECT_EQ(Window().EditGPM->Text(), kOutOfRange);
        EXPECT_EQ(FontOf(result).lfHeight, -height);
        EXPECT_STREQ(FontOf(result).lfFaceName, L"Segoe UI");
        EXPECT_TRUE(RightToLeft(result));
        EXPECT_TRUE(GetWindowLongW(result, GWL_STYLE) & ES_CENTER);
        EXPECT_EQ(BoundsInParent(result).bottom - BoundsInParent(result).top, EditHeightFor(height));
        EXPECT_EQ(Captions(Window()), kInitialCaptions);
    }
    // A result after the message reads left to right again, and the captions follow it.
    Calculate(L"22");
    EXPECT_FALSE(RightToLeft(Window().EditGPM->Handle()));
    EXPECT_EQ(Window().EditGPM->Text(), L"20.36");
    EXPECT_EQ(Captions(Window())[0], L"SFU=22");
    // And a message after a result keeps the captions of that result.
    Calculate(L"6000");
    EXPECT_EQ(Captions(Window())[0], L"SFU=22");
}

bool Near(int a, int b) { return a - b <= 1 && b - a <= 1; }

TEST_F(Behaviour, UnreadableEntryShowsTheErrorBoxThenFocusesTheEntry) {
    Calculate(L"22");
    const std::array<std::wstring, 3> captions = Captions(Window());
    struct Case {
        const char* Name;
        const wchar_t* Entry;
        CloseBy Close;
    };
    const Case cases[] = {
        // Escape is left out: Wine's task dialog closes on it only when it has a
        // cancel button, whatever the flag that allows cancelling says.
        {"sum without its last term, closed with Enter", L"5+", CloseBy::Enter},
        {"empty, closed with its button", L"", CloseBy::FirstButton},
        {"pasted letters, closed by the close box", L"1a", CloseBy::CloseBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Window().EditSFU->SetText(c.Entry);
        Window().Button2->SetFocus();
        HWND focusWhileOpen = nullptr;
        DialogWatch watch(c.Close);
        watch.OnSeen = [&focusWhileOpen](HWND) { focusWhileOpen = GetFocus(); };
        Click(*Window().Calculate);

        ASSERT_EQ(watch.Seen().size(), 1u);
        const SeenDialog& box = watch.Seen()[0];
        EXPECT_FALSE(box.Forced);
        EXPECT_EQ(box.Caption, L"Error");
        EXPECT_EQ(box.Texts, std::vector<std::wstring>{kInvalidEntry});
        EXPECT_EQ(box.Buttons, std::vector<std::wstring>{L"OK"});
        EXPECT_TRUE(box.Icon);
        EXPECT_EQ(box.Owner, Window().Handle());
        EXPECT_NE(focusWhileOpen, Window().EditSFU->Handle());
        // In the middle of the work area of the window's monitor.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(Window().Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_TRUE(Near(box.Bounds.left + box.Bounds.right, monitor.rcWork.left + monitor.rcWork.right));
        EXPECT_TRUE(Near(box.Bounds.top + box.Bounds.bottom, monitor.rcWork.top + monitor.rcWork.bottom));

        // Nothing of the last result changed; the focus is back in the entry box.
        EXPECT_EQ(Window().EditSFU->Text(), c.Entry);
        EXPECT_EQ(Window().EditGPM->Text(), L"20.36");
        EXPECT_EQ(Captions(Window()), captions);
        EXPECT_EQ(GetActiveWindow(), Window().Handle());
        EXPECT_EQ(GetFocus(), Window().EditSFU->Handle());
        EXPECT_TRUE(IsWindowEnabled(Window().Handle()));
    }
}

TEST_F(Behaviour, ScaleBoxIsAppliedWhenTheFocusLeavesItAfterTheErrorBox) {
    Window().EditScale->SetFocus();
    Type(*Window().EditScale, L"150");
    Window().EditSFU->SetText(L"5+");
    int clientWidthWhileOpen = 0;
    DialogWatch watch;
    watch.OnSeen = [this, &clientWidthWhileOpen](HWND) { clientWidthWhileOpen = Window().ClientWidth(); };
    Click(*Window().Calculate);
    RestoreActivation();
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(clientWidthWhileOpen, 600);
    EXPECT_EQ(RequestedClientSize().cx, 900);
    EXPECT_EQ(Window().EditScale->Text(), L"150%");
    EXPECT_EQ(GetFocus(), Window().EditSFU->Handle());
}

TEST_F(Behaviour, ResultBoxTakesNoTypingButDeleteEditsIt) {
    Calculate(L"22");
    TEdit& result = *Window().EditGPM;
    SetClipboardText(L"99");
    Type(result, L"5\b\x16\x18\x1A x");
    EXPECT_EQ(result.Text(), L"20.36");

    result.SetFocus();  // selects the whole text
    PumpMessages();
    PressKey(VK_DELETE);
    EXPECT_EQ(result.Text(), L"");
    Click(*Window().Button3);
    EXPECT_EQ(ClipboardText(), L"GPM=");

    // Shift+Insert pastes.
    result.SetFocus();
    PressKey(VK_INSERT, true);
    EXPECT_EQ(result.Text(), L"GPM=");
}

TEST_F(Behaviour, CommaDecimalSeparatorOfTheUserSettings) {
    ThreadLocaleGuard german(kGerman);
    Calculate(L"22");
    EXPECT_EQ(Window().EditGPM->Text(), L"20,36");
    EXPECT_EQ(Captions(Window()),
              (std::array<std::wstring, 3>{L"SFU=22", L"GPM=20,36", L"22 SFU \u2192 20,36 GPM"}));
    // The total is written back with the user's separator too.
    Calculate(L"10,5+2");
    EXPECT_EQ(Window().EditSFU->Text(), L"12,5");
    EXPECT_EQ(Window().EditGPM->Text(), L"16,25");
}

TEST_F(Behaviour, TopmostSwitch) {
    HWND window = Window().Handle();
    auto topmost = [window] { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    // Away from the part of the box that lies past the window's edge.
    const POINT box = ScreenPoint(Window().CheckBoxTop->Handle(), 8, Window().CheckBoxTop->Height() / 2);
    ClickAt(box);
    EXPECT_TRUE(Window().CheckBoxTop->Checked());
    EXPECT_TRUE(topmost());
    EXPECT_EQ(Window().Handle(), window);  // not rebuilt
    EXPECT_EQ(GetActiveWindow(), window);
    ClickAt(box);
    EXPECT_FALSE(Window().CheckBoxTop->Checked());
    EXPECT_FALSE(topmost());
    EXPECT_EQ(Window().Handle(), window);
    // Asked for the style the window has, the switch leaves the z-order alone.
    int moves = 0;
    {
        MessageSpy spy([window, &moves](HWND target, UINT message, WPARAM, LPARAM) {
            if (target == window && message == WM_WINDOWPOSCHANGING)
                ++moves;
        });
        Window().CheckBoxTopClick(Window().CheckBoxTop);
    }
    EXPECT_EQ(moves, 0);
    // Space on the focused box switches it too.
    Window().CheckBoxTop->SetFocus();
    PressKey(VK_SPACE);
    EXPECT_TRUE(topmost());
    PressKey(VK_SPACE);
    EXPECT_FALSE(topmost());
}

}  // namespace
