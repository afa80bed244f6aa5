// The main window as it opens: frame, every control's place, texts, fonts,
// colours and focus order, checked through the windows themselves.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "Application.h"
#include "Exceptions.h"
#include "MessageSpy.h"
#include "UiTesting.h"
#include "Unit1.h"

namespace {

constexpr COLORREF kCoral = RGB(255, 127, 80);

int EditHeightFor(int characterHeight) {
    return MetricsOf(MakeLogFont(L"Segoe UI", characterHeight)).tmHeight +
           8 * GetSystemMetrics(SM_CYBORDER);
}

std::wstring CueOf(HWND edit) {
    wchar_t cue[64] = {};
    SendMessageW(edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    return cue;
}

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH description{};
    GetObjectW(brush, sizeof description, &description);
    return description.lbColor;
}

class MainWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Application->CreateForm(Form1);
        // The news probe goes on ticking without reaching for the network: the
        // news box's own tests drive it.
        Form1->TimerInternet->SetOnTimer([](TObject*) {});
        Form1->Show();
        SetForegroundWindow(Form1->Handle());
        UpdateWindow(Form1->Handle());
        PumpMessages();
    }
    void SetUp() override {
        // The programs that other tests started may have held the foreground.
        // The programs that other tests started may have held the foreground.
        EXPECT_TRUE(PumpUntil([] {
            SetForegroundWindow(Form1->Handle());
            return GetForegroundWindow() == Form1->Handle();
        }));
    }
};

TEST_F(MainWindow, DialogFrameWithCloseButtonOnlyAndNoIcon) {
    HWND window = Form1->Handle();
    EXPECT_EQ(WindowText(window), L"CONVERT OSTRAFEL 1.0");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetParent(window), nullptr);
    for (WPARAM kind : {ICON_SMALL, ICON_BIG, ICON_SMALL2})
        EXPECT_EQ(SendMessageW(window, WM_GETICON, kind, 0), 0) << kind;
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICON), 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICONSM), 0);

    ExpectAtOriginWithLayoutClientSize(window);

    const TFont& font = Form1->Font();
    EXPECT_EQ(font.Name(), L"Segoe UI");
    EXPECT_EQ(font.Height(), 18);
    EXPECT_EQ(font.Color(), SysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Style(), 0u);
    EXPECT_EQ(PixelAt(window, 5, 100), GetSysColor(COLOR_BACKGROUND));
}

struct WindowedControl {
    const char* Name;
    TWinControl* Control;
    RECT Bounds;  // bottom 0: the height follows the font
    int FontHeight;
    const wchar_t* FontName;
    BYTE Charset;
    TFontStyles Style;
    const wchar_t* Text;
    int TabOrder;  // 0: never takes the focus
};

std::vector<WindowedControl> WindowedControls(TForm1& f) {
    const wchar_t* segoe = L"Segoe UI";
    const BYTE normal = DEFAULT_CHARSET;
    return {
        {"EditScale", f.EditScale, {0, 0, 61, 0}, 18, segoe, normal, 0, L"", 10},
        {"EditSFU", f.EditSFU, {75, 113, 525, 0}, 36, segoe, normal, 0, L"", 1},
        {"Calculate", f.Calculate, {75, 215, 525, 275}, 36, L"2  Titr", ARABIC_CHARSET, fsBold,
         L"\u0645\u062D\u0627\u0633\u0628\u0647", 0},
        {"EditGPM", f.EditGPM, {75, 318, 525, 0}, 36, segoe, normal, 0, L"", 2},
        {"Button2", f.Button2, {75, 480, 525, 518}, 29, segoe, normal, 0, L"FORM 1", 3},
        {"Button3", f.Button3, {75, 623, 525, 660}, 29, segoe, normal, 0, L"FORM 2", 4},
        {"Button4", f.Button4, {75, 765, 525, 803}, 29, segoe, normal, 0, L"FORM 3", 5},
        {"CheckBoxCold", f.CheckBoxCold, {228, 827, 254, 854}, 18, segoe, normal, 0, L"", 8},
        {"CheckBoxHot", f.CheckBoxHot, {498, 827, 525, 854}, 18, segoe, normal, 0, L"", 9},
        {"CheckBoxTop", f.CheckBoxTop, {498, 891, 648, 916}, 18, segoe, normal, 0, L"", 6},
        {"MemoWidget", f.MemoWidget, {25, 930, 577, 1008}, 22, segoe, normal, 0, nullptr, 7},
    };
}

TEST_F(MainWindow, WindowedControlsAsLaidOut) {
    for (const WindowedControl& c : WindowedControls(*Form1)) {
        SCOPED_TRACE(c.Name);
        HWND window = c.Control->Handle();
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(GetParent(window), Form1->Handle());
        RECT expected = c.Bounds;
        if (expected.bottom == 0)
            expected.bottom = expected.top + EditHeightFor(c.FontHeight);
        const RECT actual = BoundsInParent(window);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);

        const TFont& font = c.Control->Font();
        EXPECT_EQ(font.Name(), c.FontName);
        EXPECT_EQ(font.Height(), c.FontHeight);
        EXPECT_EQ(font.Charset(), c.Charset);
        EXPECT_EQ(font.Style(), c.Style);
        if (c.Control != Form1->Calculate) {
            // What the platform's control was given.
            const LOGFONTW given = FontOf(window);
            EXPECT_STREQ(given.lfFaceName, c.FontName);
            EXPECT_EQ(given.lfHeight, -c.FontHeight);
            EXPECT_EQ(given.lfCharSet, c.Charset);
        }
        if (c.Text) {
            EXPECT_EQ(c.Control->Caption(), c.Text);
        }
        EXPECT_EQ(c.Control->TabStop(), c.TabOrder != 0);
        if (c.TabOrder != 0) {
            EXPECT_EQ(c.Control->TabOrder(), c.TabOrder);
        }
    }
    EXPECT_TRUE(Form1->CheckBoxTop->ParentFont());
    EXPECT_EQ(Form1->CheckBoxCold->Font().Color(), 0x00FFFFFFu);
    EXPECT_EQ(Form1->MemoWidget->Font().Color(), SysColor(COLOR_WINDOW));
}

TEST_F(MainWindow, EditBoxesHintsAlignmentAndReadingOrder) {
    struct Case {
        TEdit* Edit;
        const wchar_t* Hint;
        bool RightToLeft;
    };
    for (const Case& c : {Case{Form1->EditScale, L"SCALE", false}, Case{Form1->EditSFU, L"Enter SFU", false},
                          Case{Form1->EditGPM, L"GPM Result", true}}) {
        SCOPED_TRACE(WideToUtf8(c.Hint));
        HWND window = c.Edit->Handle();
        EXPECT_EQ(CueOf(window), c.Hint);
        EXPECT_EQ(c.Edit->Text(), L"");
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
        EXPECT_TRUE(style & ES_CENTER);
        EXPECT_FALSE(style & (ES_MULTILINE | ES_READONLY));
        EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
        EXPECT_EQ((exStyle & WS_EX_RTLREADING) != 0, c.RightToLeft);
    }
    const LONG memoStyle = GetWindowLongW(Form1->MemoWidget->Handle(), GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & ES_RIGHT);
    EXPECT_FALSE(memoStyle & (WS_HSCROLL | WS_VSCROLL | WS_BORDER | ES_AUTOHSCROLL));
    EXPECT_TRUE(GetWindowLongW(Form1->MemoWidget->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
}

TEST_F(MainWindow, ColoursOfTheWindowedControls) {
    struct Case {
        const char* Name;
        TWinControl* Control;
        UINT Message;
        COLORREF Background;
        COLORREF Text;
    };
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    const Case cases[] = {
        {"EditScale", Form1->EditScale, WM_CTLCOLOREDIT, desktop, RGB(255, 255, 255)},
        {"EditSFU", Form1->EditSFU, WM_CTLCOLOREDIT, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)},
        {"EditGPM", Form1->EditGPM, WM_CTLCOLOREDIT, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)},
        {"MemoWidget", Form1->MemoWidget, WM_CTLCOLORSTATIC, desktop, GetSysColor(COLOR_WINDOW)},
        {"CheckBoxCold", Form1->CheckBoxCold, WM_CTLCOLORSTATIC, desktop, RGB(255, 255, 255)},
        {"CheckBoxTop", Form1->CheckBoxTop, WM_CTLCOLORSTATIC, desktop, GetSysColor(COLOR_WINDOWTEXT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WindowDC dc(c.Control->Handle());
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(Form1->Handle(), c.Message, reinterpret_cast<WPARAM>(dc.get()),
                         reinterpret_cast<LPARAM>(c.Control->Handle())));
        EXPECT_EQ(BrushColor(brush), c.Background);
        EXPECT_EQ(GetBkColor(dc.get()), c.Background);
        EXPECT_EQ(GetTextColor(dc.get()), c.Text);
    }
    // As they show on screen.
    RECT scaleClient{};
    GetClientRect(Form1->EditScale->Handle(), &scaleClient);
    EXPECT_EQ(PixelAt(Form1->EditScale->Handle(), 1, scaleClient.bottom - 2), desktop);
    EXPECT_EQ(PixelAt(Form1->EditSFU->Handle(), 3, 3), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAt(Form1->Calculate->Handle(), 10, 10), RGB(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(PixelAt(Form1->Calculate->Handle(), 0, 0), desktop);
    EXPECT_EQ(Form1->Calculate->ColorNormal(), 0x00F0F0F0u);
    EXPECT_EQ(Form1->Calculate->ColorHover(), 0x00E5E5E5u);
    EXPECT_EQ(Form1->Calculate->ColorPressed(), 0x00F0CAA6u);
    EXPECT_EQ(Form1->Calculate->FontColor(), 0x00000000u);
}

struct LabelCase {
    const char* Name;
    TLabel* Label;
    POINT Origin;  // left, top; for the right-aligned Label5 its right edge and top
    const wchar_t* Caption;
};

std::vector<LabelCase> CaptionLabels(TForm1& f) {
    const std::wstring copy = L"\u06A9\u067E\u06CC \u0628\u0647 \u0627\u062A\u0648\u06A9\u062F \u0641\u0631\u0645\u062A ";
    static const std::wstring copy1 = copy + L"1", copy2 = copy + L"2", copy3 = copy + L"3";
    return {
        {"Label2", f.Label2, {344, 413}, copy1.c_str()},
        {"Label3", f.Label3, {344, 555}, copy2.c_str()},
        {"Label4", f.Label4, {344, 698}, copy3.c_str()},
        {"Label6", f.Label6, {75, 820}, L"\u0622\u0628 \u0633\u0631\u062F \u0645\u0635\u0631\u0641\u06CC"},
        {"Label7", f.Label7, {368, 820}, L"\u0622\u0628\u06AF\u0631\u0645 \u0645\u0635\u0631\u0641\u06CC"},
        {"Label5", f.Label5, {490, 882},
         L"\u0646\u0631\u0645\u200C\u0627\u0641\u0632\u0627\u0631 \u0631\u0648\u06CC \u0635\u0641\u062D\u0647 \u0628\u0627\u0634\u062F"},
    };
}

TEST_F(MainWindow, LabelsFitTheirCaptionsInThePersianFont) {
    const LOGFONTW persian = MakeLogFont(L"B Nazanin", 29, ARABIC_CHARSET);
    const int height = MetricsOf(persian).tmHeight;
    for (const LabelCase& c : CaptionLabels(*Form1)) {
        SCOPED_TRACE(c.Name);
        TLabel* label = c.Label;
        EXPECT_EQ(label->Caption(), c.Caption);
        const int width = TextExtentOf(persian, c.Caption).cx;
        const bool rightAligned = label == Form1->Label5;
        EXPECT_EQ(label->Alignment(), rightAligned ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
        EXPECT_EQ(label->Left(), rightAligned ? c.Origin.x - width : c.Origin.x);
        EXPECT_EQ(label->Top(), c.Origin.y);
        EXPECT_EQ(label->Width(), width);
        EXPECT_EQ(label->Height(), height);
        EXPECT_EQ(label->Font().Name(), L"B Nazanin");
        EXPECT_EQ(label->Font().Height(), 29);
        EXPECT_EQ(label->Font().Charset(), ARABIC_CHARSET);
        EXPECT_EQ(label->Font().Color(), 0x00507FFFu);
        EXPECT_TRUE(AreaHasColor(Form1->Handle(), label->BoundsRect(), kCoral));
    }

    TLabel* heading = Form1->Label1;
    EXPECT_EQ(heading->Caption(), L"CONVERT OSTRAFEL");
    const RECT box = heading->BoundsRect();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 25);
    EXPECT_EQ(box.right, 600);
    EXPECT_EQ(box.bottom, 85);
    EXPECT_EQ(heading->Alignment(), TAlignment::taCenter);
    EXPECT_EQ(heading->Font().Height(), 41);
    EXPECT_EQ(heading->Font().Color(), SysColor(COLOR_MENU));
    // Centred at the top of its box; the scale box lies above its top left.
    const SIZE text = TextExtentOf(MakeLogFont(L"Segoe UI", 41), L"CONVERT OSTRAFEL");
    const int textLeft = (600 - text.cx) / 2;
    EXPECT_TRUE(AreaHasColor(Form1->Handle(), {textLeft, 33, textLeft + text.cx, 25 + text.cy},
                             GetSysColor(COLOR_MENU)));
    EXPECT_FALSE(AreaHasColor(Form1->Handle(), {0, 35, textLeft - 2, 85}, GetSysColor(COLOR_MENU)));
}

TEST_F(MainWindow, PictureUnderTheNewsBoxAndPastTheBottom) {
    TImage* image = Form1->Image1;
    EXPECT_EQ(image->Left(), 25);
    EXPECT_EQ(image->Top(), 990);
    EXPECT_EQ(image->Width(), 157);
    EXPECT_EQ(image->Height(), 158);
    EXPECT_GT(image->PictureWidth(), 0);
    // The news box covers the top 18 pixels; the bottom 23 lie below the client area.
    EXPECT_EQ(Form1->MemoWidget->BoundsRect().bottom - image->Top(), 18);
    EXPECT_EQ(image->BoundsRect().bottom - Form1->ClientHeight(), 23);
    EXPECT_EQ(Form1->CheckBoxTop->BoundsRect().right - Form1->ClientWidth(), 48);
    POINT underMemo = ScreenPoint(Form1->Handle(), 100, 1000);
    EXPECT_EQ(WindowFromPoint(underMemo), Form1->MemoWidget->Handle());
    POINT onPicture = ScreenPoint(Form1->Handle(), 100, 1060);
    EXPECT_EQ(WindowFromPoint(onPicture), Form1->Handle());
    // Something of the logo shows below the news box.
    const std::vector<COLORREF> pixels = CapturePixels(Form1->Handle(), {25, 1008, 182, 1125});
    EXPECT_LT(std::count(pixels.begin(), pixels.end(), GetSysColor(COLOR_BACKGROUND)),
              static_cast<std::ptrdiff_t>(pixels.size()));
}

TEST_F(MainWindow, TabCycleByTheKeyboard) {
    Form1->EditSFU->SetFocus();
    ASSERT_TRUE(PumpUntil([] { return Form1->EditSFU->Focused(); }));
    const std::vector<TWinControl*> forward = {
        Form1->EditGPM,    Form1->Button2,      Form1->Button3,     Form1->Button4,   Form1->CheckBoxTop,
        Form1->MemoWidget, Form1->CheckBoxCold, Form1->CheckBoxHot, Form1->EditScale, Form1->EditSFU};
    // Leaving the scale box applies it, which hides and shows the window.
    const auto tab = [](bool backwards) {
        PressKey(VK_TAB, backwards);
        RestoreActivation(Form1->Handle());
    };
    for (TWinControl* expected : forward) {
        tab(false);
        EXPECT_EQ(GetFocus(), expected->Handle());
    }
    for (auto expected = forward.rbegin() + 1; expected != forward.rend(); ++expected) {
        tab(true);
        EXPECT_EQ(GetFocus(), (*expected)->Handle());
    }
    tab(true);
    EXPECT_EQ(GetFocus(), Form1->EditSFU->Handle());
}

TEST_F(MainWindow, CaptionLabelsDoNotToggleTheCheckBoxes) {
    TCheckBox* boxes[] = {Form1->CheckBoxCold, Form1->CheckBoxHot, Form1->CheckBoxTop};
    for (TLabel* label : {Form1->Label6, Form1->Label7, Form1->Label5}) {
        const RECT r = label->BoundsRect();
        ClickAt(ScreenPoint(Form1->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
        for (TCheckBox* box : boxes)
            EXPECT_FALSE(box->Checked());
    }
    // While a click on the box itself does.
    const RECT cold = Form1->CheckBoxCold->BoundsRect();
    ClickAt(ScreenPoint(Form1->Handle(), cold.left + 6, (cold.top + cold.bottom) / 2));
    EXPECT_TRUE(Form1->CheckBoxCold->Checked());
    Form1->CheckBoxCold->SetChecked(false);
}

TEST_F(MainWindow, NewsProbeEveryThreeSecondsFromTheStart) {
    EXPECT_EQ(Form1->TimerInternet->Interval(), 3000u);
    EXPECT_TRUE(Form1->TimerInternet->Enabled());
    EXPECT_TRUE(Form1->TimerInternet->Running());
}

TEST_F(MainWindow, HandPointerOverTheButtonsOnly) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    const std::pair<TWinControl*, bool> cases[] = {
        {Form1->Calculate, true}, {Form1->Button2, true},     {Form1->Button3, true},
        {Form1->Button4, true},   {Form1->EditSFU, false},    {Form1->CheckBoxTop, false},
    };
    for (const auto& [control, handPointer] : cases) {
        SetCursor(nullptr);
        SendMessageW(control->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor() == hand, handPointer) << WideToUtf8(WindowText(control->Handle()));
    }
}

TEST_F(MainWindow, KeepsItsPixelSizesWhenTheDensityChanges) {
    RECT before{};
    GetWindowRect(Form1->Handle(), &before);
    RECT suggested{before.left, before.top, before.left + 900, before.top + 1700};
    SendMessageW(Form1->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    RECT after{};
    GetWindowRect(Form1->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(Form1->ClientWidth(), 600);
    EXPECT_EQ(Form1->EditSFU->Font().Height(), 36);
}

TEST(MainWindowDesign, StateAtCreation) {
    TComponent owner(nullptr);
    auto* form = MakeOwned<TForm1>(&owner);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->MemoWidget->Text(), L"MemoWidget");
    EXPECT_EQ(form->EditSFU->Text(), L"");
    EXPECT_EQ(form->EditGPM->Text(), L"");
    EXPECT_EQ(form->EditScale->Text(), L"");
    for (TCheckBox* box : {form->CheckBoxCold, form->CheckBoxHot, form->CheckBoxTop})
        EXPECT_FALSE(box->Checked());
    EXPECT_EQ(form->NetHTTPClient1.Cookies().Size(), 0u);
}

// Every control gets its window once, with its final styles: none is made and
// thrown away again while the main window is built.
TEST(MainWindowDesign, EachWindowIsMadeOnce) {
    int destroyed = 0;
    TComponent owner(nullptr);
    {
        MessageSpy spy([&](HWND, UINT message, WPARAM, LPARAM) {
            if (message == WM_NCDESTROY)
                ++destroyed;
        });
        MakeOwned<TForm1>(&owner);
    }
    EXPECT_EQ(destroyed, 0);
}

}  // namespace
