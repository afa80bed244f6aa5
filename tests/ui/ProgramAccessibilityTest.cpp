// The program as a screen reader in another process meets it: each control's
// object marshalled across processes by AccessibleObjectFromWindow, the
// default actions pressed from there, and objects that outlive their windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "AccessibleClient.h"
#include "ExpectedAccessibility.h"
#include "ProgramProcess.h"
#include "UiTesting.h"

namespace {

struct FindAt {
    POINT Place;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchPlace(HWND window, LPARAM search) {
    auto* find = reinterpret_cast<FindAt*>(search);
    const RECT bounds = BoundsInParent(window);
    if (bounds.left == find->Place.x && bounds.top == find->Place.y) {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

// The control of the program's window with that name in ExpectedControls().
HWND ControlOf(const Program& program, std::string_view name) {
    for (const ExpectedControl& expected : ExpectedControls())
        if (name == expected.Control) {
            FindAt find{expected.Place};
            EnumChildWindows(program.Window(), MatchPlace, reinterpret_cast<LPARAM>(&find));
            return find.Found;
        }
    return nullptr;
}

bool Disconnected(HRESULT result) {
    return result == CO_E_OBJNOTCONNECTED || result == RPC_E_DISCONNECTED;
}

class ProgramAccessibility : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(FProgram.Window(), nullptr); }
    ComInitialization FCom;
    Program FProgram;
};

TEST_F(ProgramAccessibility, AnotherProcessReadsEveryControl) {
    for (const ExpectedControl& expected : ExpectedControls()) {
        SCOPED_TRACE(expected.Control);
        HWND control = ControlOf(FProgram, expected.Control);
        ASSERT_NE(control, nullptr);
        ExpectFacts(ReadFacts(control), expected.Facts, kComparedStates);
    }
    EXPECT_EQ(FProgram.CloseAndWait(), 0);
}

TEST_F(ProgramAccessibility, DefaultActionsCalculateAndCheckFromAnotherProcess) {
    HWND entry = ControlOf(FProgram, "EditSFU");
    HWND calculate = ControlOf(FProgram, "Calculate");
    HWND box = ControlOf(FProgram, "CheckBoxCold");
    ASSERT_TRUE(entry && calculate && box);
    const UniqueCom<IAccessible> oldResult = AccessibleOf(ControlOf(FProgram, "EditGPM"));
    ASSERT_TRUE(oldResult);

    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"10+12"));
    const UniqueCom<IAccessible> button = AccessibleOf(calculate);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->accDoDefaultAction(Self()), S_OK);
    // The result box is rebuilt in its place for the result's reading order.
    EXPECT_TRUE(PumpUntil(
        [&] { return ReadFacts(ControlOf(FProgram, "EditGPM")).Value == L"20.36"; }));
    EXPECT_EQ(ReadFacts(entry).Value, L"22");
    const std::pair<const char*, const wchar_t*> captions[] = {
        {"Button2", L"SFU=22"}, {"Button3", L"GPM=20.36"}, {"Button4", L"22 SFU \u2192 20.36 GPM"}};
    for (const auto& [control, caption] : captions) {
        SCOPED_TRACE(control);
        const AccessibleFacts facts = ReadFacts(ControlOf(FProgram, control));
        EXPECT_EQ(facts.Value, caption);
        EXPECT_EQ(facts.Description, caption);
    }
    // The old result box's object stands for a window that is gone.
    BSTR name = nullptr;
    EXPECT_PRED1(Disconnected, oldResult->get_accName(Self(), &name));
    EXPECT_EQ(name, nullptr);

    const UniqueCom<IAccessible> check = AccessibleOf(box);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    const AccessibleFacts facts = ReadFacts(*check.get());
    EXPECT_TRUE(facts.State & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(facts.DefaultAction, L"Uncheck");

    // The program ends while this process still holds objects.
    EXPECT_EQ(FProgram.CloseAndWait(), 0);
    EXPECT_TRUE(FAILED(check->get_accName(Self(), &name)));
    EXPECT_EQ(name, nullptr);
}

}  // namespace
