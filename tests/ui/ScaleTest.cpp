// The scale box: which texts rescale the window, and what a rescaled window
// looks like, control by control.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Application.h"
#include "Exceptions.h"
#include "MainWindowFixture.h"
#include "MessageSpy.h"
#include "UiTesting.h"

namespace {

// x scaled by percent/100, rounded to nearest with halves away from zero.
int Scaled(int x, int percent) { return static_cast<int>(std::lround(x * percent / 100.0)); }

int EditHeightFor(int characterHeight) {
    return MetricsOf(MakeLogFont(L"Segoe UI", characterHeight)).tmHeight +
           8 * GetSystemMetrics(SM_CYBORDER);
}

class Scale : public ::testing::Test, public MainWindowFixture {
  protected:
    SIZE Client() { return RequestedClientSize(); }
    void ExpectClient(int width, int height) {
        const SIZE client = Client();
        EXPECT_EQ(client.cx, width);
        EXPECT_EQ(client.cy, height);
    }
};

TEST_F(Scale, AppliedWithEnterAndCompounding) {
    ApplyScale(L"150");
    // 1125 x 1.5 = 1687.5 rounds up.
    ExpectClient(900, 1688);
    EXPECT_EQ(Window().EditScale->Text(), L"150%");

    // The box's own text does not read as a number: 100 %.
    PressKey(VK_RETURN);
    ExpectClient(900, 1688);
    EXPECT_EQ(Window().EditScale->Text(), L"100%");

    ApplyScale(L"200");
    // The window asks for this much; a platform that caps window sizes at the
    // screen gives less, which the program accepts.
    ExpectClient(1800, 3376);
    EXPECT_EQ(Window().EditScale->Text(), L"200%");
    EXPECT_EQ(Window().EditSFU->Font().Height(), 108);
    EXPECT_EQ(Window().Font().Height(), 54);
}

TEST_F(Scale, OnlyWholeNumbersFromTenToThreeHundred) {
    struct Case {
        const wchar_t* Typed;
        const wchar_t* Shown;
        SIZE Client;
    };
    const Case cases[] = {
        {L"5", L"100%", {600, 1125}},   {L"0", L"100%", {600, 1125}},
        {L"301", L"100%", {600, 1125}}, {L"abc", L"100%", {600, 1125}},
        {L"", L"100%", {600, 1125}},    {L"-150", L"100%", {600, 1125}},
        {L"150%", L"100%", {600, 1125}}, {L"1.5", L"100%", {600, 1125}},
        {L"100", L"100%", {600, 1125}}, {L"10", L"10%", {60, 113}},
        {L"300", L"300%", {1800, 3375}}, {L"$96", L"150%", {900, 1688}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.Typed));
        MainWindowFixture fresh;
        fresh.ApplyScale(c.Typed);
        EXPECT_EQ(fresh.Window().EditScale->Text(), c.Shown);
        const SIZE client = fresh.RequestedClientSize();
        EXPECT_EQ(client.cx, c.Client.cx);
        EXPECT_EQ(client.cy, c.Client.cy);
        EXPECT_TRUE(IsWindowVisible(fresh.Window().Handle()));
    }
}

TEST_F(Scale, LeavingTheBoxAppliesItButTheRoundButtonTakesNoFocus) {
    Type(*Window().EditSFU, L"22");
    Window().EditScale->SetFocus();
    Type(*Window().EditScale, L"150");
    Click(*Window().Calculate);
    ExpectClient(600, 1125);
    EXPECT_EQ(GetFocus(), Window().EditScale->Handle());

    PressKey(VK_TAB);
    RestoreActivation();
    ExpectClient(900, 1688);
    EXPECT_EQ(Window().EditScale->Text(), L"150%");
    EXPECT_EQ(GetFocus(), Window().EditSFU->Handle());
}

TEST_F(Scale, TabOutRescalesOnceAfterTheFocusHasMovedWhichStaysWhereTheUserSentIt) {
    TForm1& w = Window();
    HWND entry = w.EditSFU->Handle();
    // Whether the entry box was still taking the focus when the window was
    // hidden for the rescaling.
    int settingFocus = 0;
    std::vector<bool> hiddenWhileSettingFocus;
    MessageSpy spy([&](HWND window, UINT message, WPARAM, LPARAM lParam) {
        if (window == entry && message == WM_SETFOCUS)
            ++settingFocus;
        if (window == w.Handle() && message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW))
            hiddenWhileSettingFocus.push_back(settingFocus > 0);
    });
    MessageSpy returns(
        [&](HWND window, UINT message, WPARAM, LPARAM) {
            if (window == entry && message == WM_SETFOCUS)
                --settingFocus;
        },
        MessageSpy::When::AfterTheWindow);
    w.EditScale->SetFocus();
    Type(*w.EditScale, L"150");
    PressKey(VK_TAB);
    RestoreActivation();
    EXPECT_EQ(hiddenWhileSettingFocus, std::vector<bool>{false});
    ExpectClient(900, 1688);
    EXPECT_EQ(w.EditScale->Text(), L"150%");
    EXPECT_EQ(GetFocus(), entry);
    EXPECT_EQ(w.ActiveControl(), w.EditSFU);
}

TEST_F(Scale, WindowStaysInPlaceVisibleAndActive) {
    RECT before{};
    GetWindowRect(Window().Handle(), &before);
    Window().EditScale->SetFocus();
    Window().EditScale->SetText(L"50");
    // Straight after the handler, before the display server reports anything.
    wchar_t key = L'\r';
    Window().EditScaleKeyPress(Window().EditScale, key);
    EXPECT_EQ(key, L'\0');
    EXPECT_TRUE(IsWindowVisible(Window().Handle()));
    EXPECT_EQ(GetActiveWindow(), Window().Handle());
    EXPECT_EQ(GetFocus(), Window().EditScale->Handle());
    RECT after{};
    GetWindowRect(Window().Handle(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    // 1125 / 2 = 562.5 rounds up; this one fits the screen as asked.
    ExpectClient(300, 563);
    EXPECT_EQ(Window().ClientWidth(), 300);
    EXPECT_EQ(Window().ClientHeight(), 563);
}

TEST_F(Scale, BackDownFromASizeTheScreenCutGivesTheSizeOfTheControls) {
    ApplyScale(L"150");
    ApplyScale(L"50");
    ExpectClient(450, 844);
    EXPECT_EQ(Window().ClientWidth(), 450);
    EXPECT_EQ(Window().ClientHeight(), 844);
    EXPECT_EQ(Window().EditSFU->Left(), 57);  // 75 x 1.5 = 112.5 -> 113, / 2 = 56.5 -> 57
}

enum class Fit { Box, EditHeight, Caption, CaptionRightAligned };

struct Laid {
    const char* Name;
    TControl* Control;
    RECT Bounds;  // as laid out: left, top, right, bottom
    Fit Fit;
};

class ScaleEveryControl : public ::testing::TestWithParam<int>, public MainWindowFixture {};

TEST_P(ScaleEveryControl, EdgeByEdgeAndRefitted) {
    TForm1& w = Window();
    const Laid controls[] = {
        {"EditScale", w.EditScale, {0, 0, 61, 33}, Fit::EditHeight},
        {"Label1", w.Label1, {0, 25, 600, 85}, Fit::Box},
        {"EditSFU", w.EditSFU, {75, 113, 525, 169}, Fit::EditHeight},
        {"Calculate", w.Calculate, {75, 215, 525, 275}, Fit::Box},
        {"EditGPM", w.EditGPM, {75, 318, 525, 374}, Fit::EditHeight},
        {"Label2", w.Label2, {344, 413, 0, 0}, Fit::Caption},
        {"Button2", w.Button2, {75, 480, 525, 518}, Fit::Box},
        {"Label3", w.Label3, {344, 555, 0, 0}, Fit::Caption},
        {"Button3", w.Button3, {75, 623, 525, 660}, Fit::Box},
        {"Label4", w.Label4, {344, 698, 0, 0}, Fit::Caption},
        {"Button4", w.Button4, {75, 765, 525, 803}, Fit::Box},
        {"Label6", w.Label6, {75, 820, 0, 0}, Fit::Caption},
        {"CheckBoxCold", w.CheckBoxCold, {228, 827, 254, 854}, Fit::Box},
        {"Label7", w.Label7, {368, 820, 0, 0}, Fit::Caption},
        {"CheckBoxHot", w.CheckBoxHot, {498, 827, 525, 854}, Fit::Box},
        {"Label5", w.Label5, {0, 882, 490, 0}, Fit::CaptionRightAligned},
        {"CheckBoxTop", w.CheckBoxTop, {498, 891, 648, 916}, Fit::Box},
        {"MemoWidget", w.MemoWidget, {25, 930, 577, 1008}, Fit::Box},
        {"Image1", w.Image1, {25, 990, 182, 1148}, Fit::Box},
    };
    int fonts[std::size(controls)];
    for (std::size_t i = 0; i < std::size(controls); ++i)
        fonts[i] = controls[i].Control->Font().Height();

    const int percent = GetParam();
    ApplyScale(std::to_wstring(percent));
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const Laid& c = controls[i];
        SCOPED_TRACE(c.Name);
        const TFont& font = c.Control->Font();
        const int fontHeight = Scaled(fonts[i], percent);
        EXPECT_EQ(font.Height(), fontHeight);
        RECT expected{Scaled(c.Bounds.left, percent), Scaled(c.Bounds.top, percent),
                      Scaled(c.Bounds.right, percent), Scaled(c.Bounds.bottom, percent)};
        const LOGFONTW logFont = MakeLogFont(font.Name().c_str(), fontHeight, font.Charset());
        const SIZE text = TextExtentOf(logFont, c.Control->Caption());
        switch (c.Fit) {
        case Fit::Box:
            break;
        case Fit::EditHeight:
            expected.bottom = expected.top + EditHeightFor(fontHeight);
            break;
        case Fit::Caption:
            expected.right = expected.left + text.cx;
            expected.bottom = expected.top + MetricsOf(logFont).tmHeight;
            break;
        case Fit::CaptionRightAligned:
            expected.left = expected.right - text.cx;
            expected.bottom = expected.top + MetricsOf(logFont).tmHeight;
            break;
        }
        const RECT actual = c.Control->BoundsRect();
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);
        if (auto* windowed = dynamic_cast<TWinControl*>(c.Control)) {
            const RECT real = BoundsInParent(windowed->Handle());
            EXPECT_TRUE(EqualRect(&real, &actual));
            if (windowed != w.Calculate) {
                EXPECT_EQ(FontOf(windowed->Handle()).lfHeight, -fontHeight);
            }
        }
    }
    // The window's font, and the box that uses it.
    EXPECT_EQ(w.Font().Height(), Scaled(18, percent));
    EXPECT_TRUE(w.CheckBoxTop->ParentFont());
    EXPECT_EQ(w.CheckBoxTop->Font().Height(), Scaled(18, percent));
    EXPECT_EQ(FontOf(w.CheckBoxTop->Handle()).lfHeight, -Scaled(18, percent));
    const SIZE client = RequestedClientSize();
    EXPECT_EQ(client.cx, Scaled(600, percent));
    EXPECT_EQ(client.cy, Scaled(1125, percent));
}

INSTANTIATE_TEST_SUITE_P(Percent, ScaleEveryControl, ::testing::Values(150, 50, 33));

TEST_F(Scale, RoundButtonKeepsItsCornersAndThePictureFitsItsBox) {
    ApplyScale(L"50");
    TForm1& w = Window();
    UpdateWindow(w.Handle());
    PumpMessages();
    // At 100 % and at 50 % alike only the very corner pixel shows the window: the
    // corner ellipse stays 8 by 8.
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    HWND button = w.Calculate->Handle();
    const int right = w.Calculate->Width() - 1;
    EXPECT_EQ(PixelAt(button, 0, 0), desktop);
    EXPECT_EQ(PixelAt(button, right, 0), desktop);
    EXPECT_NE(PixelAt(button, 1, 1), desktop);
    EXPECT_NE(PixelAt(button, right - 1, 1), desktop);
    // The logo shows below the news box, within the picture's scaled box.
    const RECT image = w.Image1->BoundsRect();
    const RECT visible{image.left, w.MemoWidget->BoundsRect().bottom, image.right,
                       std::min<LONG>(image.bottom, w.ClientHeight())};
    const std::vector<COLORREF> inside = CapturePixels(w.Handle(), visible);
    EXPECT_LT(std::count(inside.begin(), inside.end(), desktop), static_cast<std::ptrdiff_t>(inside.size()));
    const std::vector<COLORREF> rightOfIt =
        CapturePixels(w.Handle(), {image.right, visible.top, image.right + 20, visible.bottom});
    EXPECT_EQ(std::count(rightOfIt.begin(), rightOfIt.end(), desktop), static_cast<std::ptrdiff_t>(rightOfIt.size()));
}

TEST_F(Scale, ResultFontStaysInPointsAfterRescaling) {
    ApplyScale(L"200");
    Calculate(L"22");
    EXPECT_EQ(Window().EditGPM->Font().Height(), MulDiv(14, Application->PixelsPerInch(), 72));
    EXPECT_EQ(Window().EditGPM->Text(), L"20.36");
    EXPECT_EQ(Window().EditGPM->Top(), 636);
}

}  // namespace
