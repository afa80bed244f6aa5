// The rounded button through real mouse input: fill colours, the click rule,
// focus and cursor.
#include <gtest/gtest.h>

#include "Edit.h"
#include "UiTesting.h"
#include "Win11Button.h"

namespace {

constexpr COLORREF kFormColor = RGB(0, 128, 0);
constexpr COLORREF kNormal = 0x00F0F0F0;
constexpr COLORREF kHover = 0x00E5E5E5;
constexpr COLORREF kPressed = 0x00DADADA;

class Win11ButtonTest : public ::testing::Test {
  protected:
    Win11ButtonTest() : FHost(400, 300, kFormColor) {
        FButton = MakeOwned<TWin11Button>(&FHost.Form());
        FButton->SetParent(&FHost.Form());
        FButton->SetBounds(100, 100, FButton->Width(), FButton->Height());
        FButton->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, FButton);
            ++FClicks;
        };
        FHost.Show();
        LeaveButton();
    }

    // The platform tells of the leave a moment later.
    void LeaveButton() {
        MoveMouseTo(Outside());
        EXPECT_TRUE(PumpUntil([this] { return !FButton->Hovered(); }));
    }

    POINT Inside() const { return ScreenPoint(FButton->Handle(), 60, 20); }
    POINT Outside() const { return ScreenPoint(FHost.Handle(), 20, 250); }
    // The fill, away from the caption and the rounded corners.
    COLORREF Fill() const { return PixelAt(FButton->Handle(), 10, 10); }

    TestForm FHost;
    TWin11Button* FButton = nullptr;
    int FClicks = 0;
};

TEST_F(Win11ButtonTest, FreshControl) {
    EXPECT_EQ(FButton->Width(), 120);
    EXPECT_EQ(FButton->Height(), 40);
    EXPECT_EQ(FButton->Caption(), L"Button");
    EXPECT_EQ(FButton->ColorNormal(), 0x00F0F0F0u);
    EXPECT_EQ(FButton->ColorHover(), 0x00E5E5E5u);
    EXPECT_EQ(FButton->ColorPressed(), 0x00DADADAu);
    EXPECT_EQ(FButton->FontColor(), 0x00000000u);
    EXPECT_FALSE(FButton->Hovered());
    EXPECT_FALSE(FButton->Pressed());
    EXPECT_FALSE(FButton->TabStop());

    EXPECT_EQ(Fill(), kNormal);
    // The corners outside the rounded shape show the parent's colour.
    EXPECT_EQ(PixelAt(FButton->Handle(), 0, 0), kFormColor);
    EXPECT_EQ(PixelAt(FButton->Handle(), 119, 39), kFormColor);
    // The caption is black.
    EXPECT_TRUE(AreaHasColor(FButton->Handle(), {30, 5, 90, 35}, RGB(0, 0, 0)));
}

TEST_F(Win11ButtonTest, PressAndReleaseClicksOnce) {
    MoveMouseTo(Inside());
    EXPECT_TRUE(FButton->Hovered());
    EXPECT_EQ(Fill(), kHover);

    MouseButtonEvent(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(FButton->Pressed());
    EXPECT_EQ(GetCapture(), FButton->Handle());
    EXPECT_EQ(Fill(), kPressed);  // pressed wins over hover
    EXPECT_EQ(FClicks, 0);

    MouseButtonEvent(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(FClicks, 1);
    EXPECT_FALSE(FButton->Pressed());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Fill(), kHover);

    LeaveButton();
    EXPECT_EQ(Fill(), kNormal);
    EXPECT_EQ(FClicks, 1);
}

TEST_F(Win11ButtonTest, LeavingCancelsThePressForGood) {
    MoveMouseTo(Inside());
    MouseButtonEvent(MOUSEEVENTF_LEFTDOWN);
    LeaveButton();
    EXPECT_FALSE(FButton->Pressed());
    MoveMouseTo(Inside());
    EXPECT_TRUE(FButton->Hovered());
    EXPECT_FALSE(FButton->Pressed());
    MouseButtonEvent(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(FClicks, 0);
    EXPECT_EQ(Fill(), kHover);
}

TEST_F(Win11ButtonTest, LeaveNotificationDuringThePressCancelsIt) {
    MoveMouseTo(Inside());
    MouseButtonEvent(MOUSEEVENTF_LEFTDOWN);
    SendMessageW(FButton->Handle(), WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(FButton->Pressed());
    SendMessageW(FButton->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 20));
    MouseButtonEvent(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(FClicks, 0);
}

TEST_F(Win11ButtonTest, OtherButtonsNeitherPressNorClick) {
    MoveMouseTo(Inside());
    for (auto [down, up] : {std::pair{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                            std::pair{MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}}) {
        MouseButtonEvent(down);
        EXPECT_FALSE(FButton->Pressed());
        EXPECT_EQ(Fill(), kHover);
        MouseButtonEvent(up);
        EXPECT_EQ(FClicks, 0);
        // The platform's context menu request goes nowhere.
        PumpMessages();
    }
}

TEST_F(Win11ButtonTest, EveryPressOfADoubleClickReportsItsOwnClick) {
    MoveMouseTo(Inside());
    for (int press = 0; press < 2; ++press) {
        MouseButtonEvent(MOUSEEVENTF_LEFTDOWN);
        MouseButtonEvent(MOUSEEVENTF_LEFTUP);
    }
    EXPECT_EQ(FClicks, 2);
}

TEST_F(Win11ButtonTest, NewColourShowsAtTheNextRepaint) {
    FButton->SetColorNormal(RGB(200, 0, 0));
    PumpMessages();
    EXPECT_EQ(Fill(), kNormal);
    FButton->Invalidate();
    PumpMessages();
    EXPECT_EQ(Fill(), RGB(200, 0, 0));
}

TEST_F(Win11ButtonTest, CaptionColourIsTheButtonsNotTheFonts) {
    FButton->Font().SetColor(RGB(0, 0, 255));
    FButton->SetFontColor(RGB(255, 0, 0));
    FButton->Font().SetHeight(30);  // a change of font repaints
    PumpMessages();
    const RECT client = FButton->ClientRect();
    EXPECT_TRUE(AreaHasColor(FButton->Handle(), client, RGB(255, 0, 0)));
    EXPECT_FALSE(AreaHasColor(FButton->Handle(), client, RGB(0, 0, 255)));
}

TEST_F(Win11ButtonTest, AmpersandUnderlinesTheNextCharacter) {
    const RECT client = FButton->ClientRect();
    FButton->SetCaption(L"X");
    PumpMessages();
    const std::vector<COLORREF> plain = CapturePixels(FButton->Handle(), client);
    FButton->SetCaption(L"&X");
    PumpMessages();
    const std::vector<COLORREF> prefixed = CapturePixels(FButton->Handle(), client);

    // The same X in the same place, no ampersand, and a line beneath.
    int lowestInk = -1;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (const COLORREF pixel = plain[static_cast<std::size_t>(y * client.right + x)];
                pixel != kNormal && pixel != kFormColor)
                lowestInk = y;
    ASSERT_GT(lowestInk, 0);
    int differences = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const auto i = static_cast<std::size_t>(y * client.right + x);
            if (plain[i] != prefixed[i]) {
                ++differences;
                EXPECT_GE(y, lowestInk - 1) << "at " << x << "," << y;
            }
        }
    EXPECT_GT(differences, 0);
}

TEST_F(Win11ButtonTest, NeverTakesTheFocus) {
    auto* first = FHost.Add<TEdit>(10, 10, 80, 20);
    auto* second = FHost.Add<TEdit>(10, 40, 80, 20);
    first->SetFocus();
    PumpMessages();

    const auto cycle = FHost.Form().TabCycle();
    EXPECT_EQ(cycle, (std::vector<TWinControl*>{first, second}));
    PressKey(VK_TAB);
    EXPECT_TRUE(second->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(first->Focused());

    ClickAt(Inside());
    EXPECT_EQ(FClicks, 1);
    EXPECT_TRUE(first->Focused());
    PressKey(VK_SPACE);
    PressKey(VK_RETURN);
    EXPECT_EQ(FClicks, 1);
}

TEST_F(Win11ButtonTest, ShowsTheHandPointer) {
    MoveMouseTo(Inside());
    SendMessageW(FButton->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(FButton->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
