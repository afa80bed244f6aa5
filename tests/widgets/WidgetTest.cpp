// The widget layer: ownership, edit boxes, labels, pictures, the timer and the
// application's report of changed regional settings.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "Button.h"
#include "CustomControl.h"
#include "Edit.h"
#include "Exceptions.h"
#include "Image.h"
#include "Label.h"
#include "Logo.h"
#include "TabCycle.h"
#include "Timer.h"
#include "UiTesting.h"

namespace {

int EditHeightFor(const LOGFONTW& font) {
    return MetricsOf(font).tmHeight + 8 * GetSystemMetrics(SM_CYBORDER);
}

// Counts its own destruction into a shared log.
class Tracked : public TComponent {
  public:
    Tracked(TComponent* AOwner, std::vector<int>* log, int id) : TComponent(AOwner), FLog(log), FId(id) {}
    ~Tracked() override { FLog->push_back(FId); }

  private:
    std::vector<int>* FLog;
    int FId;
};

TEST(Ownership, OwnerDestroysWhatItOwnsLastMadeFirst) {
    std::vector<int> log;
    HWND form = nullptr;
    HWND edit = nullptr;
    {
        TComponent owner(nullptr);
        auto* first = MakeOwned<Tracked>(&owner, &log, 1);
        MakeOwned<Tracked>(first, &log, 11);
        MakeOwned<Tracked>(&owner, &log, 2);
        auto* window = MakeOwned<TForm>(&owner);
        auto* box = MakeOwned<TEdit>(window);
        box->SetParent(window);
        form = window->Handle();
        edit = box->Handle();
        EXPECT_TRUE(IsWindow(form));
        EXPECT_TRUE(IsWindow(edit));
    }
    EXPECT_EQ(log, (std::vector<int>{2, 1, 11}));
    EXPECT_FALSE(IsWindow(form));
    EXPECT_FALSE(IsWindow(edit));
}

class EditTest : public ::testing::Test {
  protected:
    EditTest() {
        FEdit = FHost.Add<TEdit>(20, 20, 200, 40);
        FOther = FHost.Add<TEdit>(20, 100, 200, 40);
        FHost.Show();
    }
    void Type(TEdit* edit, std::wstring_view text) {
        for (wchar_t character : text)
            PostMessageW(edit->Handle(), WM_CHAR, character, 1);
        PumpMessages();
    }

    TestForm FHost;
    TEdit* FEdit;
    TEdit* FOther;
};

TEST_F(EditTest, KeyPressHandlerSeesAndMayDropEachCharacter) {
    FEdit->OnKeyPress = [](TObject*, wchar_t& key) {
        if (key == L'a')
            key = L'\0';
        else if (key == L'x')
            key = L'y';
    };
    Type(FEdit, L"1a2x");
    EXPECT_EQ(FEdit->Text(), L"12y");
}

TEST_F(EditTest, KeyPressRunsForTypedKeysOnly) {
    std::wstring seen;
    FEdit->OnKeyPress = [&seen](TObject*, wchar_t& key) { seen += key; };
    FEdit->SetFocus();
    PressKey('5');
    PressKey(VK_BACK);
    PressKey(VK_DELETE);
    PressKey(VK_LEFT);
    PressKey(VK_TAB);
    EXPECT_EQ(seen, L"5\b");
}

TEST_F(EditTest, HeightFollowsTheFont) {
    FEdit->Font().SetName(L"Segoe UI");
    FEdit->Font().SetHeight(36);
    EXPECT_EQ(FEdit->Height(), EditHeightFor(MakeLogFont(L"Segoe UI", 36)));
    EXPECT_EQ(BoundsInParent(FEdit->Handle()).bottom - 20, FEdit->Height());
    FEdit->Font().SetHeight(16);
    EXPECT_EQ(FEdit->Height(), EditHeightFor(MakeLogFont(L"Segoe UI", 16)));
    EXPECT_EQ(FEdit->Width(), 200);
    EXPECT_EQ(FEdit->Top(), 20);
    const LOGFONTW font = FontOf(FEdit->Handle());
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
}

TEST_F(EditTest, CueTextIsNotText) {
    FEdit->SetTextHint(L"Enter SFU");
    wchar_t cue[64] = {};
    ASSERT_TRUE(SendMessageW(FEdit->Handle(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64));
    EXPECT_STREQ(cue, L"Enter SFU");
    EXPECT_EQ(FEdit->Text(), L"");
}

TEST_F(EditTest, WholeTextSelectedByKeyboardAndProgramNotByClick) {
    FEdit->SetText(L"12345");
    FOther->SetFocus();
    PumpMessages();
    FEdit->SetFocus();
    EXPECT_EQ(FEdit->SelStart(), 0u);
    EXPECT_EQ(FEdit->SelLength(), 5u);

    PressKey(VK_TAB);
    EXPECT_TRUE(FOther->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(FEdit->Focused());
    EXPECT_EQ(FEdit->SelLength(), 5u);

    FOther->SetFocus();
    PumpMessages();
    ClickAt(ScreenPoint(FEdit->Handle(), 5, 10));
    EXPECT_TRUE(FEdit->Focused());
    EXPECT_EQ(FEdit->SelLength(), 0u);
}

TEST_F(EditTest, ExitRunsWhenTheFocusMovesToAnotherControlOfTheForm) {
    int exits = 0;
    FEdit->OnExit = [&exits](TObject*) { ++exits; };
    FEdit->SetFocus();
    PumpMessages();
    FOther->SetFocus();
    PumpMessages();
    EXPECT_EQ(exits, 1);

    // Another window taking the focus and giving it back is no exit.
    FEdit->SetFocus();
    TestForm another(100, 100);
    another.Show();
    SetForegroundWindow(another.Handle());
    PumpMessages();
    SetForegroundWindow(FHost.Handle());
    PumpMessages();
    EXPECT_TRUE(FEdit->Focused());
    EXPECT_EQ(exits, 1);
}

TEST_F(EditTest, ChangingReadingOrderRebuildsTheWindowKeepingItsState) {
    FEdit->SetAlignment(TAlignment::taCenter);
    FEdit->SetTextHint(L"GPM Result");
    FEdit->Font().SetHeight(30);
    FEdit->SetText(L"20.36");
    FEdit->SetFocus();
    PumpMessages();
    HWND before = FEdit->Handle();
    const RECT bounds = BoundsInParent(before);

    FEdit->SetBiDiMode(TBiDiMode::bdRightToLeft);
    PumpMessages();
    HWND after = FEdit->Handle();
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(GetWindowLongW(after, GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_TRUE(GetWindowLongW(after, GWL_STYLE) & ES_CENTER);
    EXPECT_EQ(WindowText(after), L"20.36");
    const RECT rebuilt = BoundsInParent(after);
    EXPECT_TRUE(EqualRect(&bounds, &rebuilt));
    EXPECT_EQ(FontOf(after).lfHeight, -30);
    EXPECT_TRUE(FEdit->Focused());
    wchar_t cue[64] = {};
    SendMessageW(after, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    EXPECT_STREQ(cue, L"GPM Result");

    FEdit->SetBiDiMode(TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(GetWindowLongW(FEdit->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_EQ(FEdit->Text(), L"20.36");
}

TEST_F(EditTest, AMessageOfAWindowThatAHandlerRebuiltStaysWithTheOldWindow) {
    FEdit->SetText(L"ab");
    FEdit->OnKeyPress = [this](TObject*, wchar_t&) {
        FEdit->SetBiDiMode(FEdit->BiDiMode() == TBiDiMode::bdLeftToRight
                               ? TBiDiMode::bdRightToLeft
                               : TBiDiMode::bdLeftToRight);
    };
    HWND before = FEdit->Handle();
    Type(FEdit, L"x");
    EXPECT_NE(FEdit->Handle(), before);
    EXPECT_EQ(FEdit->Text(), L"ab");
    // The new window takes what is typed next.
    FEdit->OnKeyPress = nullptr;
    SendMessageW(FEdit->Handle(), EM_SETSEL, 2, 2);
    Type(FEdit, L"y");
    EXPECT_EQ(FEdit->Text(), L"aby");
}

TEST_F(EditTest, ColoursComeThroughTheControlColourMessage) {
    FEdit->SetColor(SysColor(COLOR_BACKGROUND));
    FEdit->Font().SetColor(RGB(255, 255, 255));
    WindowDC dc(FEdit->Handle());
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        FHost.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
        reinterpret_cast<LPARAM>(FEdit->Handle())));
    EXPECT_EQ(brush, GetSysColorBrush(COLOR_BACKGROUND));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc.get()), GetSysColor(COLOR_BACKGROUND));
}

TEST(Rebuilding, WindowedChildrenMoveToTheNewWindowInTheirOrder) {
    TestForm host;
    auto* panel = host.Add<TCustomControl>(10, 10, 300, 200);
    auto* first = MakeOwned<TEdit>(&host.Form());
    first->SetBounds(10, 10, 100, 30);
    first->SetParent(panel);
    auto* second = MakeOwned<TButton>(&host.Form());
    second->SetBounds(10, 50, 100, 30);
    second->SetParent(panel);
    host.Show();
    first->SetText(L"typed");
    first->SetFocus();
    HWND firstWindow = first->Handle();
    HWND secondWindow = second->Handle();
    HWND old = panel->Handle();

    panel->RecreateWnd();
    PumpMessages();
    EXPECT_NE(panel->Handle(), old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(first->Handle(), firstWindow);
    EXPECT_EQ(second->Handle(), secondWindow);
    EXPECT_EQ(GetParent(firstWindow), panel->Handle());
    EXPECT_EQ(GetParent(secondWindow), panel->Handle());
    EXPECT_EQ(GetWindow(panel->Handle(), GW_CHILD), firstWindow);
    EXPECT_EQ(GetWindow(firstWindow, GW_HWNDNEXT), secondWindow);
    EXPECT_EQ(TWinControl::FromHandle(firstWindow), first);
    EXPECT_EQ(first->Text(), L"typed");
    EXPECT_TRUE(first->Focused());
    EXPECT_TRUE(IsWindowVisible(secondWindow));
}

// Writes into the log when the handler that holds it is destroyed.
class HandlerWitness {
  public:
    explicit HandlerWitness(std::vector<std::string>* log) : FLog(log) {}
    ~HandlerWitness() { FLog->push_back("handler destroyed"); }
    HandlerWitness(const HandlerWitness&) = delete;
    HandlerWitness& operator=(const HandlerWitness&) = delete;

  private:
    std::vector<std::string>* FLog;
};

TEST(Lifetimes, AControlDestroyedByItsOwnHandlerLetsTheHandlerFinish) {
    struct Case {
        const char* Label;
        // Puts handler on one of the controls, then makes it run.
        std::function<void(TButton& button, TEdit& edit, TEdit& other, TNotifyEvent handler)> Run;
    };
    const Case cases[] = {
        {"click",
         [](TButton& button, TEdit&, TEdit&, TNotifyEvent handler) {
             button.OnClick = std::move(handler);
             SendMessageW(button.Handle(), BM_CLICK, 0, 0);
         }},
        {"key press",
         [](TButton&, TEdit& edit, TEdit&, TNotifyEvent handler) {
             edit.OnKeyPress = [handler = std::move(handler)](TObject* sender, wchar_t&) {
                 handler(sender);
             };
             PostMessageW(edit.Handle(), WM_CHAR, L'1', 1);
             PumpMessages();
         }},
        {"exit",
         [](TButton&, TEdit& edit, TEdit& other, TNotifyEvent handler) {
             edit.SetFocus();
             edit.OnExit = std::move(handler);
             other.SetFocus();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        TestForm host;
        auto owner = std::make_unique<TComponent>(nullptr);
        auto* button = MakeOwned<TButton>(owner.get());
        button->SetBounds(10, 10, 100, 30);
        button->SetParent(&host.Form());
        auto* edit = MakeOwned<TEdit>(owner.get());
        edit->SetBounds(10, 50, 100, 30);
        edit->SetParent(&host.Form());
        auto* other = host.Add<TEdit>(10, 90, 100, 30);
        host.Show();
        HWND buttonWindow = button->Handle();
        HWND editWindow = edit->Handle();

        std::vector<std::string> log;
        auto witness = std::make_shared<HandlerWitness>(&log);
        c.Run(*button, *edit, *other, [witness = std::move(witness), &owner, &log](TObject*) {
            std::vector<std::string>* record = &log;
            owner.reset(); // the controls, and with them this handler
            record->push_back("handler finished");
        });
        PumpMessages();
        EXPECT_EQ(log, (std::vector<std::string>{"handler finished", "handler destroyed"}));
        EXPECT_FALSE(IsWindow(buttonWindow));
        EXPECT_FALSE(IsWindow(editWindow));
        // The form goes on.
        other->SetText(L"12");
        EXPECT_EQ(other->Text(), L"12");
    }
}

TEST(Buttons, SpaceAndEnterClickTheFocusedPushButtonSpaceTogglesTheCheckBox) {
    TestForm host;
    auto* button = host.Add<TButton>(10, 10, 100, 30);
    auto* box = host.Add<TCheckBox>(10, 50, 100, 30);
    int clicks = 0;
    int toggles = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };
    box->OnClick = [&toggles](TObject*) { ++toggles; };
    host.Show();
    button->SetFocus();
    PumpMessages();
    PressKey(VK_SPACE);
    EXPECT_EQ(clicks, 1);
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 2);

    box->SetFocus();
    PumpMessages();
    PressKey(VK_SPACE);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(toggles, 1);
    PressKey(VK_RETURN);
    EXPECT_TRUE(box->Checked());
    box->SetChecked(false);  // the program's own change runs no event
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(clicks, 2);
}

TEST(TabCycle, WrapsBothWays) {
    EXPECT_EQ(NextInCycle(3, std::nullopt, true), 0u);
    EXPECT_EQ(NextInCycle(3, std::nullopt, false), 2u);
    EXPECT_EQ(NextInCycle(3, 1, true), 2u);
    EXPECT_EQ(NextInCycle(3, 2, true), 0u);
    EXPECT_EQ(NextInCycle(3, 0, false), 2u);
    EXPECT_EQ(NextInCycle(1, 0, true), 0u);
    EXPECT_EQ(NextInCycle(1, 0, false), 0u);
}

TEST(TabCycle, OrderedByTabOrderThenByMakingSkippingWhatCannotTakeTheFocus) {
    TestForm host;
    auto* a = host.Add<TEdit>(10, 10, 50, 20);
    auto* b = host.Add<TEdit>(10, 40, 50, 20);
    auto* c = host.Add<TEdit>(10, 70, 50, 20);
    auto* disabled = host.Add<TEdit>(10, 100, 50, 20);
    auto* noStop = host.Add<TButton>(10, 130, 50, 20);
    a->SetTabOrder(2);
    b->SetTabOrder(1);
    c->SetTabOrder(1);
    disabled->SetTabOrder(0);
    EnableWindow(disabled->Handle(), FALSE);
    noStop->SetTabStop(false);
    host.Show();
    EXPECT_EQ(host.Form().TabCycle(), (std::vector<TWinControl*>{b, c, a}));
}

TEST(Shortcuts, RunOnlyWhileTheFormTakesInput) {
    TestForm host;
    host.Show();
    int shortcuts = 0;
    host.Form().OnShortCut = [&shortcuts](TObject*, unsigned, bool, bool& handled) {
        ++shortcuts;
        handled = true;
    };
    EXPECT_TRUE(host.Form().TakesInput());
    EXPECT_TRUE(host.Form().DialogKey(VK_F5, 0));
    {
        const TForm::TModalBox modal(host.Form());
        EXPECT_FALSE(host.Form().TakesInput());
        EXPECT_FALSE(host.Form().DialogKey(VK_F5, 0));
    }
    EnableWindow(host.Handle(), FALSE);
    EXPECT_FALSE(host.Form().TakesInput());
    EXPECT_FALSE(host.Form().DialogKey(VK_F5, 0));
    EnableWindow(host.Handle(), TRUE);
    EXPECT_EQ(shortcuts, 1);
}

TEST(Forms, PostedActionsRunFromTheMessageLoopInOrder) {
    std::vector<int> order;
    {
        TestForm host;
        host.Form().Post([&order] { order.push_back(1); });
        host.Form().Post([&order] { order.push_back(2); });
        EXPECT_TRUE(order.empty());
        PumpMessages();
        EXPECT_EQ(order, (std::vector<int>{1, 2}));
        // One that is still waiting when the form goes is dropped.
        host.Form().Post([&order] { order.push_back(3); });
    }
    PumpMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Memo, WrapsWithoutBorderOrScrollBars) {
    TestForm host;
    auto* memo = host.Add<TMemo>(10, 10, 200, 60);
    memo->SetReadOnly(true);
    memo->SetText(L"one two three four five six seven eight nine ten eleven twelve");
    const LONG style = GetWindowLongW(memo->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_FALSE(style & (ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL | WS_BORDER));
    EXPECT_FALSE(GetWindowLongW(memo->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_GT(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST(Label, SizesItselfToItsCaptionAndIsPaintedByItsParent) {
    TestForm host(400, 200, RGB(0, 0, 128));
    auto* label = host.Add<TLabel>(30, 40, 10, 10);
    label->Font().SetName(L"Segoe UI");
    label->Font().SetHeight(29);
    label->Font().SetColor(RGB(255, 127, 80));
    label->SetCaption(L"Hello");
    const LOGFONTW font = MakeLogFont(L"Segoe UI", 29);
    EXPECT_EQ(label->Left(), 30);
    EXPECT_EQ(label->Width(), TextExtentOf(font, L"Hello").cx);
    EXPECT_EQ(label->Height(), MetricsOf(font).tmHeight);

    host.Show();
    POINT inside = ScreenPoint(host.Handle(), 32, 45);
    EXPECT_EQ(WindowFromPoint(inside), host.Handle());
    EXPECT_TRUE(AreaHasColor(host.Handle(), label->BoundsRect(), RGB(255, 127, 80)));
}

TEST(Label, RightAlignedKeepsItsRightEdge) {
    TestForm host;
    auto* label = MakeOwned<TLabel>(&host.Form());
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetCaption(L"Wide caption");
    label->SetBounds(100, 10, 200, 30);
    label->SetParent(&host.Form());
    EXPECT_EQ(label->Left() + label->Width(), 300);
    label->SetCaption(L"W");
    EXPECT_EQ(label->Left() + label->Width(), 300);
    label->Font().SetHeight(40);
    EXPECT_EQ(label->Left() + label->Width(), 300);
}

TEST(Label, FixedSizeKeepsItsBox) {
    TestForm host;
    auto* label = MakeOwned<TLabel>(&host.Form());
    label->SetAutoSize(false);
    label->SetBounds(0, 25, 300, 60);
    label->SetParent(&host.Form());
    label->SetCaption(L"CONVERT");
    label->Font().SetHeight(41);
    EXPECT_EQ(label->BoundsRect().right, 300);
    EXPECT_EQ(label->BoundsRect().bottom, 85);
}

TEST(Picture, FitsWithItsProportionsCentred) {
    struct Case {
        int PictureWidth, PictureHeight, BoxWidth, BoxHeight;
        RECT Expected;
    };
    const Case cases[] = {
        {100, 50, 40, 40, {0, 10, 40, 30}},      // wide picture, shrunk
        {50, 100, 40, 40, {10, 0, 30, 40}},      // tall picture
        {10, 10, 157, 158, {0, 0, 157, 157}},    // small square, enlarged
        {256, 256, 157, 158, {0, 0, 157, 157}},  // the logo's box
        {3, 1, 100, 100, {0, 33, 100, 66}},
        {0, 10, 40, 40, {0, 0, 0, 0}},           // nothing to draw
    };
    for (const Case& c : cases) {
        const RECT r = FitProportional(c.PictureWidth, c.PictureHeight, c.BoxWidth, c.BoxHeight);
        EXPECT_TRUE(EqualRect(&r, &c.Expected))
            << c.PictureWidth << "x" << c.PictureHeight << " in " << c.BoxWidth << "x" << c.BoxHeight
            << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(Picture, CompositesOverTheBackground) {
    TBitmapPixels picture{2, 1, {0xFF102030u, 0x00000000u}};
    CompositeOver(picture, RGB(200, 100, 50));
    EXPECT_EQ(picture.Pixels[0], 0xFF102030u);
    EXPECT_EQ(picture.Pixels[1], 0xFFC86432u);  // opaque background, 0xAARRGGBB
}

TEST(Image, DecodesTheLogoAndDrawsIt) {
    TestForm host(300, 300, RGB(0, 0, 0));
    auto* image = host.Add<TImage>(20, 20, 157, 158);
    ASSERT_TRUE(image->LoadFromPng(LogoPng()));
    EXPECT_GT(image->PictureWidth(), 0);
    EXPECT_GT(image->PictureHeight(), 0);
    host.Show();
    const std::vector<COLORREF> pixels = CapturePixels(host.Handle(), image->BoundsRect());
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), RGB(0, 0, 0)),
              static_cast<std::ptrdiff_t>(pixels.size()));
}

TEST(Image, RefusesDataThatIsNoPicture) {
    TestForm host;
    auto* image = host.Add<TImage>(0, 0, 50, 50);
    const unsigned char junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(image->LoadFromPng(junk));
    EXPECT_FALSE(image->LoadFromPng({}));
    EXPECT_EQ(image->PictureWidth(), 0);
    host.Show();  // draws nothing, and does not fail
}

// A timer that counts its ticks.
struct CountedTimer {
    explicit CountedTimer(UINT interval) : Timer(MakeOwned<TTimer>(&Owner)) {
        Timer->SetInterval(interval);
        Timer->SetOnTimer([this](TObject*) { ++Ticks; });
    }
    TComponent Owner{nullptr};
    TTimer* Timer;
    int Ticks = 0;
};

TEST(Timer, TicksWhileEnabledAndRunsFromCreation) {
    CountedTimer counted(50);
    EXPECT_TRUE(counted.Timer->Enabled());
    EXPECT_TRUE(counted.Timer->Running());
    EXPECT_TRUE(PumpUntil([&] { return counted.Ticks >= 2; }));

    counted.Timer->SetEnabled(false);
    EXPECT_FALSE(counted.Timer->Running());
    const int stopped = counted.Ticks;
    for (int i = 0; i < 10; ++i)
        PumpMessages();
    EXPECT_EQ(counted.Ticks, stopped);
}

TEST(Timer, DestroyedFromItsOwnTickLetsTheHandlerFinish) {
    std::vector<std::string> log;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* timer = MakeOwned<TTimer>(owner.get());
    timer->SetInterval(10);
    auto witness = std::make_shared<HandlerWitness>(&log);
    timer->SetOnTimer([witness = std::move(witness), &owner, &log](TObject*) {
        std::vector<std::string>* record = &log;
        owner.reset(); // the timer, and with it this handler
        record->push_back("handler finished");
    });
    EXPECT_TRUE(PumpUntil([&] { return !owner; }));
    EXPECT_EQ(log, (std::vector<std::string>{"handler finished", "handler destroyed"}));
}

TEST(Timer, EnablingARunningTimerDoesNotRestartIt) {
    CountedTimer counted(300);
    // Enabling it far more often than it ticks: a restart each time would
    // keep it from ever ticking.
    EXPECT_TRUE(PumpUntil([&] {
        counted.Timer->SetEnabled(true);
        return counted.Ticks >= 2;
    }));
}

TEST(ApplicationObject, KnowsItsWindowTitleAndDensity) {
    ASSERT_NE(Application, nullptr);
    EXPECT_TRUE(IsWindow(Application->Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    EXPECT_EQ(GetParent(Application->Handle()), nullptr);  // top-level: gets broadcasts
    EXPECT_EQ(Application->Title(), L"ui_widget_tests");
    EXPECT_EQ(Application->Icon(), nullptr);  // the test program carries no icon
    WindowDC screen(nullptr);
    EXPECT_EQ(Application->PixelsPerInch(), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

TEST(ApplicationObject, ReportsRegionalSettingsChangeOnIntlChangeAndTaskbarCreation) {
    int reports = 0;
    Application->OnRegionalSettingsChange = [&reports](TObject* sender) {
        EXPECT_EQ(sender, Application);
        ++reports;
    };
    struct Case {
        UINT Message;
        const wchar_t* Section;
        bool Rereads;
    };
    const Case cases[] = {
        {WM_SETTINGCHANGE, L"intl", true},
        {WM_SETTINGCHANGE, L"Intl", false},
        {WM_SETTINGCHANGE, L"intl2", false},
        {WM_SETTINGCHANGE, nullptr, false},
        {RegisterWindowMessageW(L"TaskbarCreated"), nullptr, true},
    };
    for (const Case& c : cases) {
        reports = 0;
        SendMessageW(Application->Handle(), c.Message, 0, reinterpret_cast<LPARAM>(c.Section));
        EXPECT_EQ(reports, c.Rereads ? 1 : 0) << (c.Section ? "section " : "message ")
                                              << (c.Section ? WideToUtf8(c.Section) : std::to_string(c.Message));
    }
    Application->OnRegionalSettingsChange = nullptr;
}

TEST(ShowCommand, MaximisedAndMinimisedWithoutActivationAreKept) {
    EXPECT_EQ(MainFormShowCommand(SW_SHOWMAXIMIZED), SW_SHOWMAXIMIZED);
    EXPECT_EQ(MainFormShowCommand(SW_SHOWMINNOACTIVE), SW_SHOWMINNOACTIVE);
    for (int other : {SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWNOACTIVATE, SW_SHOW,
                      SW_MINIMIZE, SW_SHOWNA, SW_RESTORE, SW_SHOWDEFAULT, SW_FORCEMINIMIZE})
        EXPECT_EQ(MainFormShowCommand(other), SW_SHOWNORMAL) << other;
}

}  // namespace
