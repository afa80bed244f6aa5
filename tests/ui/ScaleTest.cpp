// The scale box: which texts rescale the window, and what a rescaled window
// looks like, control by control.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "Application.h"
#include "Exceptions.h"
#include "MainWindowFixture.h"
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
    SIZE Client() { return RequestedClientSize(Window()); }
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
        const SIZE client = RequestedClientSize(fresh.Window());
        EXPECT_EQ(client.cx, c.Client.cx);
        EXPECT_EQ(client.cy, c.Client.cy);
        EXPECT_TRUE(IsWindowVisible(fresh.Window().Handle()));
    }
}

TEST_F(Scale, LeavingTheBoxAppliesItButTheRoundButtonTakesNoFocus) {
    Window().EditScale->SetFocus();
    Type(*Window().EditScale, L"150");
    Click(*Window().Calculate);
    ExpectClient(600, 1125);
    EXPECT_EQ(GetFocus(), Window().EditScale->Handle());

    PressKey(VK_TAB);
    ExpectClient(900, 1688);
    EXPECT_EQ(Window().EditScale->Text(), L"150%");
    EXPECT_EQ(GetFocus(), Window().EditSFU->Handle());
}

TEST_F(Scale, WindowStaysInPlaceVisibleAndActive) {
    RECT before{};
    GetWindowRect(Window().Handle(), &before);
    ApplyScale(L"50");
    RECT after{};
    GetWindowRect(Window().Handle(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(IsWindowVisible(Window().Handle()));
    EXPECT_EQ(GetActiveWindow(), Window().Handle());
    EXPECT_EQ(GetFocus(), Window().EditScale->Handle());
    ExpectClient(300, 563);
    const SIZE client{Window().ClientWidth(), Window().ClientHeight()};
    EXPECT_EQ(client.cx, 300);
    EXPECT_EQ(client.cy, 563);
}

enum class Fit { Box, EditHeight, Caption, CaptionRightAligned };

struct Laid {
    const char* Name;
    TControl* Control;
    RECT Bounds;  // as laid out: left, top, right, bottom
    Fit Fit;
};

TEST_F(Scale, EveryControlScaledEdgeByEdgeAndRefitted) {
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

    const int percent = 150;
    ApplyScale(L"150");
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
    EXPECT_EQ(w.Font().Height(), 27);
    EXPECT_TRUE(w.CheckBoxTop->ParentFont());
    EXPECT_EQ(w.CheckBoxTop->Font().Height(), 27);
    // The round button keeps its small corners: only the very corner shows the window.
    UpdateWindow(w.Handle());
    PumpMessages();
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    EXPECT_EQ(PixelAt(w.Calculate->Handle(), 0, 0), desktop);
    EXPECT_NE(PixelAt(w.Calculate->Handle(), 2, 2), desktop);
    // The picture shows in its scaled box.
    const RECT image = w.Image1->BoundsRect();
    const std::vector<COLORREF> pixels =
        CapturePixels(w.Handle(), {image.left, w.MemoWidget->BoundsRect().bottom, image.right,
                                   std::min<LONG>(image.bottom, w.ClientHeight())});
    EXPECT_LT(std::count(pixels.begin(), pixels.end(), desktop), static_cast<std::ptrdiff_t>(pixels.size()));
}

TEST_F(Scale, ResultFontStaysInPointsAfterRescaling) {
    ApplyScale(L"200");
    Calculate(L"22");
    EXPECT_EQ(Window().EditGPM->Font().Height(), MulDiv(14, Application->PixelsPerInch(), 72));
    EXPECT_EQ(Window().EditGPM->Text(), L"20.36");
    EXPECT_EQ(Window().EditGPM->Top(), 636);
}

}  // namespace
