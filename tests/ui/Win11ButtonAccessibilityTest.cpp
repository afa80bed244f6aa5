// The rounded button as a screen reader sees it: a push button that is pressed
// through its default action but never takes the keyboard focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>

#include "AccessibleClient.h"
#include "Edit.h"
#include "UiTesting.h"
#include "Win11Button.h"

namespace {

class RoundedButtonAccessibility : public ::testing::Test {
  protected:
    void SetUp() override {
        FCom = std::make_unique<ComInitialization>();
        FHost.Show();
        FEdit = FHost.Add<TEdit>(10, 10, 100, 30);
        FRounded = FHost.Add<TWin11Button>(10, 90, 100, 30);
        FRounded->SetCaption(L"Run");
        FRounded->SetAccessibleShortcut(L"Ctrl+Enter");
        FRounded->OnClick = [this](TObject*) { ++FClicks; };
        PumpMessages();
    }
    std::unique_ptr<ComInitialization> FCom;
    TestForm FHost{400, 400};
    TEdit* FEdit = nullptr;      // owned by the form
    TWin11Button* FRounded = nullptr;  // owned by the form
    int FClicks = 0;
};

TEST_F(RoundedButtonAccessibility, TellsWhatItIs) {
    const std::optional<std::wstring> none;
    ExpectFacts(ReadFacts(FRounded->Handle()),
                {L"Run", none, none, L"Press", L"Ctrl+Enter", ROLE_SYSTEM_PUSHBUTTON, 0});
}

TEST_F(RoundedButtonAccessibility, DefaultActionClicksWithoutTakingTheFocus) {
    FEdit->SetFocus();
    const UniqueCom<IAccessible> object = AccessibleOf(FRounded->Handle());
    ASSERT_TRUE(object);
    EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
    PumpMessages();
    EXPECT_EQ(FClicks, 1);
    EXPECT_NE(GetFocus(), FRounded->Handle());

    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Self()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(GetFocus(), FEdit->Handle());
}

}  // namespace
