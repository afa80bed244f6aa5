// The main window as a screen reader in the same process meets it: every
// control's name, role, value and state, the same after a rescale and after
// the result box is rebuilt, and the events that announce a result.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "AccessibleClient.h"
#include "CalculationOutcome.h"
#include "DialogWatch.h"
#include "ExpectedAccessibility.h"
#include "MainWindowFixture.h"
#include "TextConversion.h"
#include "UiTesting.h"

namespace {

class WindowAccessibility : public ::testing::Test, public MainWindowFixture {
  protected:
    // The controls in the order of ExpectedControls().
    std::vector<TWinControl*> Controls() {
        TForm1& w = Window();
        return {w.EditScale, w.EditSFU,      w.Calculate,   w.EditGPM,     w.Button2,   w.Button3,
                w.Button4,   w.CheckBoxCold, w.CheckBoxHot, w.CheckBoxTop, w.MemoWidget};
    }
    void ExpectNames() {
        const std::vector<TWinControl*> controls = Controls();
        ASSERT_EQ(controls.size(), ExpectedControls().size());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(ExpectedControls()[i].Control);
            EXPECT_EQ(ReadFacts(controls[i]->Handle()).Name, ExpectedControls()[i].Facts.Name);
        }
    }

    ComInitialization FCom;
};

TEST_F(WindowAccessibility, EveryControlTellsItsNameRoleValueAndState) {
    const std::vector<TWinControl*> controls = Controls();
    ASSERT_EQ(controls.size(), ExpectedControls().size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(ExpectedControls()[i].Control);
        ExpectFacts(ReadFacts(controls[i]->Handle()), ExpectedControls()[i].Facts,
                    kComparedStates);
    }
    EXPECT_TRUE(ReadFacts(Window().EditSFU->Handle()).State & STATE_SYSTEM_FOCUSED);
}

TEST_F(WindowAccessibility, NamesHoldAfterARescaleAndARebuiltResultBox) {
    ApplyScale(L"150");
    ASSERT_EQ(RequestedClientSize().cx, 900);
    ExpectNames();

    // The outcome's reading order rebuilds the result box's window.
    HWND before = Window().EditGPM->Handle();
    Calculate(L"6000");
    Calculate(L"10+12");
    EXPECT_NE(Window().EditGPM->Handle(), before);
    ExpectNames();
    EXPECT_EQ(ReadFacts(Window().EditGPM->Handle()).Value, L"20.36");
    EXPECT_EQ(ReadFacts(Window().Button2->Handle()).Value, L"SFU=22");
}

TEST_F(WindowAccessibility, ACalculationAnnouncesTheResultAndTheChangedCopyButtons) {
    WinEventRecorder events(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE);
    ASSERT_TRUE(events.Hooked());
    TForm1& window = Window();
    const auto buttonNameChanges = [&] {
        return std::vector<int>{events.Count(EVENT_OBJECT_NAMECHANGE, window.Button2->Handle()),
                                events.Count(EVENT_OBJECT_NAMECHANGE, window.Button3->Handle()),
                                events.Count(EVENT_OBJECT_NAMECHANGE, window.Button4->Handle())};
    };
    const auto resultChanges = [&] {
        return events.Count(EVENT_OBJECT_VALUECHANGE, window.EditGPM->Handle());
    };

    Calculate(L"10+12");
    ASSERT_TRUE(PumpUntil([&] { return resultChanges() > 0; }));
    EXPECT_EQ(resultChanges(), 1);
    // What the screen reader then reads from the result box.
    EXPECT_EQ(ReadFacts(window.EditGPM->Handle()).Value, L"20.36");
    EXPECT_EQ(buttonNameChanges(), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(events.Count(EVENT_OBJECT_VALUECHANGE, window.EditSFU->Handle()), 1);  // the total

    // The same result again: announced again; the captions did not change.
    events.Clear();
    Calculate(L"22");
    ASSERT_TRUE(PumpUntil([&] { return resultChanges() > 0; }));
    EXPECT_EQ(buttonNameChanges(), (std::vector<int>{0, 0, 0}));

    events.Clear();
    Calculate(L"6000");
    ASSERT_TRUE(PumpUntil([&] { return resultChanges() > 0; }));
    EXPECT_EQ(ReadFacts(window.EditGPM->Handle()).Value, ToWide(ostrafel::kOutOfRangeMessage));
    EXPECT_EQ(buttonNameChanges(), (std::vector<int>{0, 0, 0}));

    // An unreadable entry changes no box: the error box speaks for itself.
    events.Clear();
    window.EditSFU->SetText(L"1a");
    {
        DialogWatch watch;
        Click(*window.Calculate);
        EXPECT_EQ(watch.Seen().size(), 1u);
    }
    PumpMessages();
    EXPECT_EQ(resultChanges(), 0);
}

}  // namespace
