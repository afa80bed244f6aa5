// The accessible objects of the widgets, asked from the test's own process the
// way a screen reader asks: what each kind of control tells, how its state
// follows the window, the default action, and an object that outlives its window.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "AccessibilityLibrary.h"
#include "AccessibleClient.h"
#include "Button.h"
#include "Edit.h"
#include "Exceptions.h"
#include "Form.h"
#include "UiTesting.h"

namespace {

using Text = std::optional<std::wstring>;

const Text kNone;
constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;

VARIANT Child(VARTYPE type, LONG id) {
    VARIANT child = Self();
    child.vt = type;
    child.lVal = id;
    return child;
}

// An edit box whose report to screen readers fails, as a caller's text might.
class FailingEdit : public TEdit {
  public:
    using TEdit::TEdit;
    std::function<void()> Fail;
    void GetAccessibleInfo(TAccessibleInfo& info) const override {
        TEdit::GetAccessibleInfo(info);
        if (Fail)
            Fail();
    }
};

class AccessibleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FCom = std::make_unique<ComInitialization>();
        FHost.Show();
    }
    std::unique_ptr<ComInitialization> FCom;
    TestForm FHost{400, 400};
};

TEST_F(AccessibleTest, EachKindOfControlTellsWhatItIsAndWhatItHolds) {
    auto* named = FHost.Add<TEdit>(10, 10, 100, 30);
    named->SetAccessibleName(L"Entry");
    named->SetText(L"12");
    auto* unnamed = FHost.Add<TEdit>(10, 50, 100, 30);
    unnamed->SetText(L"not a name");
    auto* memo = FHost.Add<TMemo>(10, 90, 100, 30);
    memo->SetReadOnly(true);
    memo->SetText(L"line");
    auto* plain = FHost.Add<TButton>(150, 10, 100, 30);
    plain->SetCaption(L"Go");
    auto* copy = FHost.Add<TButton>(150, 50, 100, 30);
    copy->SetCaption(L"SFU=1");
    copy->SetAccessibleName(L"Copy");
    auto* box = FHost.Add<TCheckBox>(150, 90, 20, 20);
    box->SetAccessibleName(L"Cold");
    PumpMessages();

    struct Case {
        const char* Label;
        TWinControl* Control;
        AccessibleFacts Expected;
    };
    constexpr LONG kText = ROLE_SYSTEM_TEXT;
    constexpr LONG kPush = ROLE_SYSTEM_PUSHBUTTON;
    const Case cases[] = {
        {"named edit", named, {L"Entry", L"12", kNone, kNone, kNone, kText, kFocusable}},
        {"unnamed edit", unnamed, {kNone, L"not a name", kNone, kNone, kNone, kText, kFocusable}},
        {"read-only memo",
         memo,
         {kNone, L"line", kNone, kNone, kNone, kText, kFocusable | STATE_SYSTEM_READONLY}},
        {"push button", plain, {L"Go", kNone, kNone, L"Press", kNone, kPush, kFocusable}},
        {"named button", copy, {L"Copy", L"SFU=1", L"SFU=1", L"Press", kNone, kPush, kFocusable}},
        {"check box",
         box,
         {L"Cold", kNone, kNone, L"Check", kNone, ROLE_SYSTEM_CHECKBUTTON, kFocusable}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        ExpectFacts(ReadFacts(c.Control->Handle()), c.Expected);
    }
}

TEST_F(AccessibleTest, StateFollowsTheWindowAndTheSystemsCheckMark) {
    auto* edit = FHost.Add<TEdit>(10, 10, 100, 30);
    auto* box = FHost.Add<TCheckBox>(10, 50, 20, 20);
    PumpMessages();
    const UniqueCom<IAccessible> object = AccessibleOf(edit->Handle());
    ASSERT_TRUE(object);

    const auto state = [&] { return ReadFacts(*object.get()).State & kWatchedStates; };
    edit->SetFocus();
    EXPECT_EQ(state(), kFocusable | STATE_SYSTEM_FOCUSED);
    box->SetFocus();
    EXPECT_EQ(state(), kFocusable);
    EnableWindow(edit->Handle(), FALSE);
    EXPECT_EQ(state(), kFocusable | STATE_SYSTEM_UNAVAILABLE);
    ShowWindow(edit->Handle(), SW_HIDE);
    EXPECT_EQ(state(), kFocusable | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);

    // The check mark as the platform's window holds it, however it got there.
    SendMessageW(box->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    AccessibleFacts facts = ReadFacts(box->Handle());
    EXPECT_EQ(facts.State & kWatchedStates, kFocusable | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED);
    EXPECT_EQ(facts.DefaultAction, L"Uncheck");
    SendMessageW(box->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(ReadFacts(box->Handle()).State & STATE_SYSTEM_PRESSED);
}

TEST_F(AccessibleTest, DefaultActionRunsTheClickFromTheMessageLoop) {
    auto* button = FHost.Add<TButton>(10, 10, 100, 30);
    auto* box = FHost.Add<TCheckBox>(10, 50, 20, 20);
    auto* edit = FHost.Add<TEdit>(10, 130, 100, 30);
    int buttonClicks = 0;
    std::vector<bool> checkedAtClick;
    button->OnClick = [&](TObject*) { ++buttonClicks; };
    box->OnClick = [&](TObject*) { checkedAtClick.push_back(box->Checked()); };
    PumpMessages();

    const UniqueCom<IAccessible> pressable = AccessibleOf(button->Handle());
    ASSERT_TRUE(pressable);
    EXPECT_EQ(pressable->accDoDefaultAction(Self()), S_OK);
    // Not while the client waits: a click may open a message box.
    EXPECT_EQ(buttonClicks, 0);
    PumpMessages();
    EXPECT_EQ(buttonClicks, 1);

    const UniqueCom<IAccessible> checkable = AccessibleOf(box->Handle());
    ASSERT_TRUE(checkable);
    for (int press = 0; press < 2; ++press)
        EXPECT_EQ(checkable->accDoDefaultAction(Self()), S_OK);
    PumpMessages();
    EXPECT_EQ(checkedAtClick, (std::vector<bool>{true, false}));

    // A disabled button is not pressed, nor one on a form that takes no
    // input: disabled, or under a modal box of the program's. An edit box has
    // no default action.
    EnableWindow(button->Handle(), FALSE);
    EXPECT_EQ(pressable->accDoDefaultAction(Self()), S_OK);
    PumpMessages();
    EnableWindow(button->Handle(), TRUE);
    {
        const TForm::TModalBox modal(FHost.Form());
        EXPECT_EQ(pressable->accDoDefaultAction(Self()), S_OK);
        PumpMessages();
    }
    EnableWindow(FHost.Handle(), FALSE);
    EXPECT_EQ(pressable->accDoDefaultAction(Self()), S_OK);
    PumpMessages();
    EnableWindow(FHost.Handle(), TRUE);
    EXPECT_EQ(buttonClicks, 1);
    const UniqueCom<IAccessible> editObject = AccessibleOf(edit->Handle());
    ASSERT_TRUE(editObject);
    EXPECT_EQ(editObject->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AccessibleTest, AnswersForItselfOnlyWithoutChildren) {
    auto* edit = FHost.Add<TEdit>(10, 10, 100, 30);
    PumpMessages();
    const UniqueCom<IAccessible> object = AccessibleOf(edit->Handle());
    ASSERT_TRUE(object);

    BSTR name = nullptr;
    for (const VARIANT& other : {Child(VT_I4, 1), Child(VT_EMPTY, 0), Child(VT_I2, 0)}) {
        SCOPED_TRACE(other.vt);
        EXPECT_EQ(object->get_accName(other, &name), E_INVALIDARG);
        EXPECT_EQ(name, nullptr);
    }
    LONG count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);
    UniqueCom<IDispatch> child;
    EXPECT_EQ(object->get_accChild(Child(VT_I4, 1), child.put()), E_INVALIDARG);
    VARIANT end;
    EXPECT_EQ(object->accNavigate(NAVDIR_FIRSTCHILD, Self(), &end), S_FALSE);
    EXPECT_EQ(end.vt, VT_EMPTY);

    // The client object is the client area, inside the box's sunken border.
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(edit->Handle(), &origin);
    RECT frame{};
    GetWindowRect(edit->Handle(), &frame);
    ASSERT_GT(origin.x, frame.left);
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Self()), S_OK);
    EXPECT_EQ(left, origin.x);
    EXPECT_EQ(top, origin.y);
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);
    struct Hit {
        POINT At;
        bool Inside;
    };
    const Hit hits[] = {
        {origin, true},
        {{origin.x + client.right - 1, origin.y + client.bottom - 1}, true},
        {{frame.left, frame.top}, false},
        {{origin.x - 1, origin.y}, false},
        {{origin.x + client.right, origin.y}, false},
        {{origin.x, origin.y + client.bottom}, false},
    };
    for (const Hit& h : hits) {
        SCOPED_TRACE(std::to_string(h.At.x) + "," + std::to_string(h.At.y));
        VARIANT hit;
        EXPECT_EQ(object->accHitTest(h.At.x, h.At.y, &hit), h.Inside ? S_OK : S_FALSE);
        EXPECT_EQ(hit.vt, h.Inside ? VT_I4 : VT_EMPTY);
        if (h.Inside) {
            EXPECT_EQ(hit.lVal, CHILDID_SELF);
        }
    }

    UniqueCom<IOleWindow> window;
    ASSERT_EQ(object->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(window.put())),
              S_OK);
    HWND found = nullptr;
    EXPECT_EQ(window->GetWindow(&found), S_OK);
    EXPECT_EQ(found, edit->Handle());

    // The focus goes to what takes it.
    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Self()), S_OK);
    EXPECT_EQ(GetFocus(), edit->Handle());
    VARIANT focused;
    EXPECT_EQ(object->get_accFocus(&focused), S_OK);
    EXPECT_EQ(focused.lVal, CHILDID_SELF);
}

TEST_F(AccessibleTest, OneObjectPerWindowThatOutlivesItDisconnected) {
    auto* edit = FHost.Add<TEdit>(10, 10, 100, 30);
    edit->SetAccessibleName(L"Entry");
    PumpMessages();
    const UniqueCom<IAccessible> first = AccessibleOf(edit->Handle());
    const UniqueCom<IAccessible> again = AccessibleOf(edit->Handle());
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first.get(), again.get());

    // A rebuilt window has an object of its own, with the control's name.
    edit->SetBiDiMode(TBiDiMode::bdRightToLeft);
    const UniqueCom<IAccessible> rebuilt = AccessibleOf(edit->Handle());
    ASSERT_TRUE(rebuilt);
    EXPECT_NE(rebuilt.get(), first.get());
    EXPECT_EQ(ReadFacts(*rebuilt.get()).Name, L"Entry");

    BSTR name = nullptr;
    EXPECT_EQ(first->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    VARIANT role;
    EXPECT_EQ(first->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(first->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);

    // The window goes for good; the client still holds the object.
    DestroyWindow(edit->Handle());
    EXPECT_EQ(rebuilt->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
    LONG count = -1;
    EXPECT_EQ(rebuilt->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
}

// Stands in for the application object as the forms' host while it lives,
// with accessibility functions of its own or none.
class AccessibilityHost : public TFormHost {
  public:
    explicit AccessibilityHost(bool withLibrary) : FPrevious(TForm::SetHost(this)) {
        if (withLibrary)
            FLibrary = std::make_unique<TAccessibilityLibrary>();
    }
    ~AccessibilityHost() { TForm::SetHost(FPrevious); }
    AccessibilityHost(const AccessibilityHost&) = delete;
    AccessibilityHost& operator=(const AccessibilityHost&) = delete;

    HWND FormOwner() const override { return nullptr; }
    void FormClosed(TForm&) override {}
    const TAccessibilityLibrary* Accessibility() override {
        ++FQuestions;
        return FLibrary && FLibrary->Loaded() ? FLibrary.get() : nullptr;
    }
    int Questions() const { return FQuestions; }

  private:
    TFormHost* FPrevious;
    std::unique_ptr<TAccessibilityLibrary> FLibrary;
    int FQuestions = 0;
};

TEST(AccessibleHost, ControlsServeTheirObjectsWithTheFunctionsOfTheirFormsHost) {
    const ComInitialization com;
    for (const bool withLibrary : {true, false}) {
        SCOPED_TRACE(withLibrary ? "host with the functions" : "host without them");
        AccessibilityHost host(withLibrary);
        TestForm form;
        auto* edit = form.Add<TEdit>(10, 10, 100, 30);
        edit->SetAccessibleName(L"Entry");
        form.Show();

        const UniqueCom<IAccessible> object = AccessibleOf(edit->Handle());
        EXPECT_GE(host.Questions(), 1);
        // Without the host's functions the platform answers, knowing nothing
        // of the control's own name.
        if (withLibrary) {
            ASSERT_TRUE(object);
            EXPECT_EQ(ReadFacts(*object.get()).Name, L"Entry");
        } else if (object) {
            EXPECT_NE(ReadFacts(*object.get()).Name, L"Entry");
        }
    }
}

TEST_F(AccessibleTest, AFailureInTheControlIsAnErrorForTheClientNeverAnException) {
    auto* edit = FHost.Add<FailingEdit>(10, 10, 100, 30);
    PumpMessages();
    const UniqueCom<IAccessible> object = AccessibleOf(edit->Handle());
    ASSERT_TRUE(object);

    struct Failure {
        const char* Label;
        std::function<void()> Throw;
        HRESULT Expected;
    };
    const Failure failures[] = {
        {"out of memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"other failure", [] { throw std::runtime_error("no text"); }, E_FAIL},
        {"not an exception class", [] { throw 42; }, E_FAIL},
    };
    // Each call and whether it handed nothing out.
    struct Call {
        const char* Label;
        std::function<std::pair<HRESULT, bool>(IAccessible&)> Make;
    };
    const auto text = [](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        return [get](IAccessible& o) {
            BSTR out = nullptr;
            const HRESULT result = (o.*get)(Self(), &out);
            return std::make_pair(result, out == nullptr);
        };
    };
    const auto number = [](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
        return [get](IAccessible& o) {
            VARIANT out;
            out.vt = VT_BOOL;
            const HRESULT result = (o.*get)(Self(), &out);
            return std::make_pair(result, out.vt == VT_EMPTY);
        };
    };
    const Call calls[] = {
        {"name", text(&IAccessible::get_accName)},
        {"value", text(&IAccessible::get_accValue)},
        {"description", text(&IAccessible::get_accDescription)},
        {"help", text(&IAccessible::get_accHelp)},
        {"shortcut", text(&IAccessible::get_accKeyboardShortcut)},
        {"default action", text(&IAccessible::get_accDefaultAction)},
        {"role", number(&IAccessible::get_accRole)},
        {"state", number(&IAccessible::get_accState)},
        {"location",
         [](IAccessible& o) {
             LONG left = 1, top = 1, width = 1, height = 1;
             const HRESULT result = o.accLocation(&left, &top, &width, &height, Self());
             return std::make_pair(result, left == 0 && top == 0 && width == 0 && height == 0);
         }},
        {"navigate",
         [](IAccessible& o) {
             VARIANT end;
             end.vt = VT_BOOL;
             const HRESULT result = o.accNavigate(NAVDIR_FIRSTCHILD, Self(), &end);
             return std::make_pair(result, end.vt == VT_EMPTY);
         }},
        {"select",
         [](IAccessible& o) {
             return std::make_pair(o.accSelect(SELFLAG_TAKEFOCUS, Self()), true);
         }},
        {"do default action",
         [](IAccessible& o) { return std::make_pair(o.accDoDefaultAction(Self()), true); }},
    };
    for (const Failure& failure : failures) {
        edit->Fail = failure.Throw;
        for (const Call& call : calls) {
            SCOPED_TRACE(std::string(failure.Label) + ", " + call.Label);
            const auto [result, handedOutNothing] = call.Make(*object.get());
            EXPECT_EQ(result, failure.Expected);
            EXPECT_TRUE(handedOutNothing);
        }
    }
    // The object works again once the control does.
    edit->Fail = nullptr;
    edit->SetAccessibleName(L"Entry");
    EXPECT_EQ(ReadFacts(*object.get()).Name, L"Entry");
}

TEST_F(AccessibleTest, FormLeavesItsClientAreaToThePlatform) {
    FHost.Add<TEdit>(10, 10, 100, 30);
    FHost.Add<TButton>(10, 50, 100, 30);
    PumpMessages();
    const UniqueCom<IAccessible> object = AccessibleOf(FHost.Handle());
    ASSERT_TRUE(object);
    // The platform's object lists the controls; the controls' objects have no children.
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_GE(count, 2);
}

}  // namespace
