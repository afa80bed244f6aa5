// Ctrl+Enter, the key that calculates, typed as real key input: from every
// control that takes the focus, exactly as a click on Calculate, while plain
// Enter keeps what it did before; and no way of pressing Calculate starts a
// calculation while the error box of another one is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "AccessibleClient.h"
#include "Application.h"
#include "CalculationOutcome.h"
#include "DialogWatch.h"
#include "Exceptions.h"
#include "MainWindowFixture.h"
#include "MessageSpy.h"
#include "TextConversion.h"
#include "UiTesting.h"

namespace {

void CtrlEnter() { PressChord({VK_CONTROL, VK_RETURN}); }

// Ctrl held in the thread's key state while it lives, as GetKeyState reads it,
// for keys that are posted rather than typed.
class CtrlHeld {
  public:
    CtrlHeld() {
        GetKeyboardState(FSaved);
        BYTE held[256];
        std::copy(std::begin(FSaved), std::end(FSaved), held);
        held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
        SetKeyboardState(held);
    }
    ~CtrlHeld() { SetKeyboardState(FSaved); }
    CtrlHeld(const CtrlHeld&) = delete;
    CtrlHeld& operator=(const CtrlHeld&) = delete;

  private:
    BYTE FSaved[256] = {};
};

class CalculateKey : public ::testing::Test, public MainWindowFixture {
  protected:
    // The entry "10+12" and an empty result box; the focus in control.
    void Prepare(TWinControl& control) {
        Window().EditSFU->SetText(L"10+12");
        Window().EditGPM->SetText(L"");
        control.SetFocus();
        PumpMessages();
    }
    void ExpectCalculated() {
        EXPECT_EQ(Window().EditSFU->Text(), L"22");
        EXPECT_EQ(Window().EditGPM->Text(), L"20.36");
        EXPECT_EQ(Window().Button4->Caption(), L"22 SFU \u2192 20.36 GPM");
    }
    void ExpectNotCalculated() {
        EXPECT_EQ(Window().EditSFU->Text(), L"10+12");
        EXPECT_EQ(Window().EditGPM->Text(), L"");
    }
};

TEST_F(CalculateKey, CalculatesFromEveryControlAndLeavesTheControlAsItWas) {
    TForm1& window = Window();
    TWinControl* const focused[] = {window.EditSFU,     window.EditGPM,     window.Button2,
                                    window.Button3,     window.Button4,     window.CheckBoxTop,
                                    window.MemoWidget,  window.CheckBoxCold, window.CheckBoxHot};
    SetClipboardText(L"untouched");
    for (TWinControl* control : focused) {
        SCOPED_TRACE(WideToUtf8(control->AccessibleName()));
        Prepare(*control);
        CtrlEnter();
        ExpectCalculated();
        EXPECT_EQ(GetFocus(), control->Handle());
    }
    // No copy button copied, no switch turned over.
    EXPECT_EQ(ClipboardText(), L"untouched");
    EXPECT_FALSE(window.CheckBoxCold->Checked());
    EXPECT_FALSE(window.CheckBoxHot->Checked());
    EXPECT_FALSE(window.CheckBoxTop->Checked());
    EXPECT_FALSE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(CalculateKey, OtherEntersInTheEntryBoxDoNothing) {
    const std::vector<std::vector<WORD>> chords = {
        {VK_RETURN}, {VK_SHIFT, VK_RETURN}, {VK_CONTROL, VK_SHIFT, VK_RETURN}, {VK_CONTROL, 'M'}};
    for (const std::vector<WORD>& chord : chords) {
        SCOPED_TRACE(chord.size());
        Prepare(*Window().EditSFU);
        PressChord(chord);
        ExpectNotCalculated();
    }
}

TEST_F(CalculateKey, InTheScaleBoxCalculatesWithoutApplyingTheScaleWhichEnterStillApplies) {
    Prepare(*Window().EditScale);
    Type(*Window().EditScale, L"150");
    CtrlEnter();
    ExpectCalculated();
    EXPECT_EQ(Window().EditScale->Text(), L"150");
    EXPECT_EQ(RequestedClientSize().cx, 600);
    EXPECT_EQ(GetFocus(), Window().EditScale->Handle());

    PressKey(VK_RETURN);
    RestoreActivation();
    EXPECT_EQ(Window().EditScale->Text(), L"150%");
    EXPECT_EQ(RequestedClientSize().cx, 900);
    // Enter applied the scale and calculated nothing.
    EXPECT_EQ(Window().EditSFU->Text(), L"22");
    Window().EditSFU->SetText(L"1+1");
    Window().EditScale->SetFocus();
    PressKey(VK_RETURN);
    RestoreActivation();
    EXPECT_EQ(Window().EditSFU->Text(), L"1+1");
}

TEST_F(CalculateKey, UnreadableEntryShowsTheErrorBoxAndPutsTheFocusInTheEntryBox) {
    Window().EditSFU->SetText(L"1a");
    Window().Button2->SetFocus();
    PumpMessages();
    DialogWatch watch;
    CtrlEnter();
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(watch.Seen()[0].Texts,
              std::vector<std::wstring>{ToWide(ostrafel::kInvalidEntryMessage)});
    EXPECT_EQ(Window().EditGPM->Text(), L"");
    EXPECT_EQ(GetFocus(), Window().EditSFU->Handle());
}

TEST_F(CalculateKey, NothingCalculatesAgainWhileTheErrorBoxIsOpen) {
    ComInitialization com;
    TForm1& window = Window();
    window.EditSFU->SetText(L"1a");
    window.Button2->SetFocus();
    PumpMessages();
    const UniqueCom<IAccessible> calculate = AccessibleOf(window.Calculate->Handle());
    ASSERT_TRUE(calculate);
    HWND button = window.Calculate->Handle();
    const LPARAM middle = MAKELPARAM(window.Calculate->Width() / 2, window.Calculate->Height() / 2);

    DialogWatch watch;
    int pressesTried = 0;
    watch.OnSeen = [&](HWND) {
        // Only from inside the first box: today a second box would try again.
        if (pressesTried++ > 0)
            return;
        // A screen reader's press, run by the box's own message loop.
        EXPECT_EQ(calculate->accDoDefaultAction(Self()), S_OK);
        // A click that reaches the button although its window is disabled.
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(button, WM_LBUTTONUP, 0, middle);
        // A Ctrl+Enter that reaches the program's own message loop.
        const CtrlHeld ctrl;
        PostMessageW(window.Button2->Handle(), WM_KEYDOWN, VK_RETURN, 1);
        Application->ProcessMessages();
    };
    CtrlEnter();
    PumpMessages();
    EXPECT_EQ(pressesTried, 1);
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_FALSE(watch.Seen()[0].Forced);
    EXPECT_EQ(GetFocus(), window.EditSFU->Handle());

    // Once the box is closed, each of them calculates again.
    window.EditSFU->SetText(L"10+12");
    EXPECT_EQ(calculate->accDoDefaultAction(Self()), S_OK);
    PumpMessages();
    ExpectCalculated();
}

TEST_F(CalculateKey, HeldDownCalculatesOnce) {
    int results = 0;
    MessageSpy spy([&](HWND target, UINT message, WPARAM, LPARAM) {
        if (message == WM_SETTEXT && target == Window().EditGPM->Handle())
            ++results;
    });
    Prepare(*Window().EditSFU);
    results = 0;
    // The keyboard repeats Enter while it is held.
    std::vector<INPUT> inputs(6);
    const WORD keys[] = {VK_CONTROL, VK_RETURN, VK_RETURN, VK_RETURN, VK_RETURN, VK_CONTROL};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = (i == 4 || i == 5) ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages();
    ExpectCalculated();
    EXPECT_EQ(results, 1);
}

}  // namespace
