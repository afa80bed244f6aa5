#include "Unit1.h"

#include "Application.h"
#include "CalculationOutcome.h"
#include "Clipboard.h"
#include "ErrorBox.h"
#include "Logo.h"
#include "ResourceText.h"
#include "NumberReading.h"
#include "NumberWriting.h"
#include "Scaling.h"
#include "TextConversion.h"

TForm1* Form1 = nullptr;

namespace {

constexpr TColor kCoral = 0x00507FFF;
constexpr TColor kWhite = 0x00FFFFFF;
constexpr TColor kSkyBlue = 0x00F0CAA6;
constexpr TColor kBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor kMenu = SysColor(COLOR_MENU);
constexpr TColor kWindow = SysColor(COLOR_WINDOW);
constexpr TColor kWindowText = SysColor(COLOR_WINDOWTEXT);

void SetFont(TControl& control, const wchar_t* name, int height, TColor color,
             BYTE charset = DEFAULT_CHARSET, TFontStyles style = 0) {
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetColor(color);
    font.SetCharset(charset);
    font.SetStyle(style);
    control.Font().Assign(font);
}

// Gives a control its stored box and puts it on the form, which makes its
// window. Styles, font and text are set before this, so that the window is
// made once, as it is meant to be, and a label fits its final text.
void Put(TForm& form, TControl& control, int left, int top, int width, int height) {
    control.SetBounds(left, top, width, height);
    control.SetParent(&form);
}

// A centred entry box with its cue text, which also names it for screen
// readers, and its place in the tab cycle, not yet on the form.
TEdit* MakeEntryBox(TForm& form, const wchar_t* hint, int tabOrder) {
    auto* edit = MakeOwned<TEdit>(&form);
    edit->SetAlignment(TAlignment::taCenter);
    edit->SetTextHint(hint);
    edit->SetAccessibleName(hint);
    edit->SetTabOrder(tabOrder);
    return edit;
}

// A coral caption in the Persian font, sized to its text.
TLabel* PlaceCaption(TForm& form, int left, int top, int width, int height, const wchar_t* text,
                     TAlignment alignment = TAlignment::taLeftJustify) {
    auto* label = MakeOwned<TLabel>(&form);
    // The label measures its caption once, when it is put on the form.
    SetFont(*label, L"B Nazanin", 29, kCoral, ARABIC_CHARSET);
    label->SetAlignment(alignment);
    label->SetCaption(text);
    Put(form, *label, left, top, width, height);
    return label;
}

TButton* PlaceCopyButton(TForm& form, int top, int height, const wchar_t* caption, int tabOrder) {
    auto* button = MakeOwned<TButton>(&form);
    button->SetCaption(caption);
    SetFont(*button, L"Segoe UI", 29, kWindowText);
    button->SetCursor(IDC_HAND);
    button->SetTabOrder(tabOrder);
    Put(form, *button, 75, top, 450, height);
    return button;
}

// A check box with its place in the tab cycle, named for screen readers by
// the caption beside it, not yet on the form.
TCheckBox* MakeCheckBox(TForm& form, const TLabel& caption, int tabOrder) {
    auto* box = MakeOwned<TCheckBox>(&form);
    box->SetTabOrder(tabOrder);
    box->SetAccessibleName(caption.Caption());
    return box;
}

}  // namespace

TForm1::TForm1(TComponent* AOwner, TNewsServer newsServer)
    : TForm(AOwner),
      NetHTTPClient1(ostrafel::MakeWinHttpClient(newsServer.Limits, std::move(newsServer.HttpLibrary))),
      FNewsOrigin(std::move(newsServer.Origin)) {
    SetCaption(L"CONVERT OSTRAFEL 1.0");
    SetColor(kBackground);
    SetFont(*this, L"Segoe UI", 18, kWindowText);
    SetClientSize(600, 1125);
    OnShow = Bind(this, &TForm1::FormCreate);
    OnShortCut = Bind(this, &TForm1::FormShortCut);

    EditScale = MakeEntryBox(*this, L"SCALE", 10);
    SetFont(*EditScale, L"Segoe UI", 18, kWhite);
    EditScale->SetColor(kBackground);
    EditScale->OnExit = Bind(this, &TForm1::EditScaleExit);
    EditScale->OnKeyPress = Bind(this, &TForm1::EditScaleKeyPress);
    Put(*this, *EditScale, 0, 0, 61, 33);

    Label1 = MakeOwned<TLabel>(this);
    Label1->SetAutoSize(false);
    Label1->SetAlignment(TAlignment::taCenter);
    Label1->SetCaption(L"CONVERT OSTRAFEL");
    SetFont(*Label1, L"Segoe UI", 41, kMenu);
    Put(*this, *Label1, 0, 25, 600, 60);

    EditSFU = MakeEntryBox(*this, L"Enter SFU", 1);
    SetFont(*EditSFU, L"Segoe UI", 36, kWindowText);
    EditSFU->OnKeyPress = Bind(this, &TForm1::EditSFUKeyPress);
    Put(*this, *EditSFU, 75, 113, 450, 56);

    Calculate = MakeOwned<TWin11Button>(this);
    Calculate->SetCaption(L"محاسبه");
    SetFont(*Calculate, L"2  Titr", 36, clBlack, ARABIC_CHARSET, fsBold);
    Calculate->SetColorPressed(kSkyBlue);
    Calculate->OnClick = Bind(this, &TForm1::CalculateClick);
    Calculate->SetAccessibleShortcut(L"Ctrl+Enter");
    Put(*this, *Calculate, 75, 215, 450, 60);

    // Its key filter is bound when the window is shown.
    EditGPM = MakeEntryBox(*this, L"GPM Result", 2);
    SetFont(*EditGPM, L"Segoe UI", 36, kWindowText);
    EditGPM->SetBiDiMode(TBiDiMode::bdRightToLeft);
    Put(*this, *EditGPM, 75, 318, 450, 56);

    Label2 = PlaceCaption(*this, 344, 413, 191, 43, L"کپی به اتوکد فرمت 1");
    Label2->SetColor(kBackground);
    Button2 = PlaceCopyButton(*this, 480, 38, L"FORM 1", 3);
    Button2->OnClick = Bind(this, &TForm1::Button2Click);
    Button2->SetAccessibleName(Label2->Caption());

    Label3 = PlaceCaption(*this, 344, 555, 191, 43, L"کپی به اتوکد فرمت 2");
    Label3->SetColor(kBackground);
    Button3 = PlaceCopyButton(*this, 623, 37, L"FORM 2", 4);
    Button3->OnClick = Bind(this, &TForm1::Button3Click);
    Button3->SetAccessibleName(Label3->Caption());

    Label4 = PlaceCaption(*this, 344, 698, 191, 43, L"کپی به اتوکد فرمت 3");
    Label4->SetColor(kBackground);
    Button4 = PlaceCopyButton(*this, 765, 38, L"FORM 3", 5);
    Button4->OnClick = Bind(this, &TForm1::Button4Click);
    Button4->SetAccessibleName(Label4->Caption());

    Label6 = PlaceCaption(*this, 75, 820, 140, 43, L"آب سرد مصرفی");
    CheckBoxCold = MakeCheckBox(*this, *Label6, 8);
    SetFont(*CheckBoxCold, L"Segoe UI", 18, kWhite);
    Put(*this, *CheckBoxCold, 228, 827, 26, 27);

    Label7 = PlaceCaption(*this, 368, 820, 116, 43, L"آبگرم مصرفی");
    CheckBoxHot = MakeCheckBox(*this, *Label7, 9);
    SetFont(*CheckBoxHot, L"Segoe UI", 18, kWhite);
    Put(*this, *CheckBoxHot, 498, 827, 27, 27);

    // The first word carries a zero-width non-joiner after its third letter.
    Label5 = PlaceCaption(*this, 274, 882, 216, 43, L"نرم\u200Cافزار روی صفحه باشد",
                          TAlignment::taRightJustify);
    Label5->SetColor(kBackground);
    // Uses the window's font.
    CheckBoxTop = MakeCheckBox(*this, *Label5, 6);
    CheckBoxTop->OnClick = Bind(this, &TForm1::CheckBoxTopClick);
    Put(*this, *CheckBoxTop, 498, 891, 150, 25);

    MemoWidget = MakeOwned<TMemo>(this);
    MemoWidget->SetReadOnly(true);
    MemoWidget->SetAlignment(TAlignment::taRightJustify);
    MemoWidget->SetBiDiMode(TBiDiMode::bdRightToLeft);
    MemoWidget->SetText(L"MemoWidget");
    MemoWidget->SetAccessibleName(L"اخبار");  // "News"
    SetFont(*MemoWidget, L"Segoe UI", 22, kWindow);
    MemoWidget->SetColor(kBackground);
    MemoWidget->SetTabOrder(7);
    Put(*this, *MemoWidget, 25, 930, 552, 78);

    Image1 = MakeOwned<TImage>(this);
    Image1->LoadFromPng(LogoPng());
    Put(*this, *Image1, 25, 990, 157, 158);

    TimerInternet = MakeOwned<TTimer>(this);
    TimerInternet->SetInterval(3000);
    TimerInternet->SetOnTimer(Bind(this, &TForm1::TimerInternetTimer));
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

namespace {

// What the entry box admits: digits, the "+" of a sum, either decimal
// separator, and Backspace. Everything else, Enter and the Ctrl shortcuts
// included, is dropped.
bool IsEntryCharacter(wchar_t key) {
    return key == L'\b' || key == L'+' || key == L',' || key == L'.' || (key >= L'0' && key <= L'9');
}

// A whole number from 10 to 300 is a percentage of the current size; anything
// else counts as 100. The box then shows what was applied, which does not read
// as a number: applying it again without editing changes nothing.
void ApplyScaleBox(TForm1& form) {
    int percent = ostrafel::StrToIntDef(ToUtf16(form.EditScale->Text()), 100);
    if (percent < 10 || percent > 300)
        percent = 100;
    ScaleBy(form, percent, 100);
    form.EditScale->SetText(ToWide(ostrafel::IntToStr(percent)) + L"%");
}

// The result box's look for an outcome, set before its text. The size is in
// points at the screen's density from start-up, whatever the window's scale.
void StyleResultBox(TEdit& box, int points, TBiDiMode readingOrder) {
    box.Font().SetName(L"Segoe UI");
    box.Font().SetSize(points, Application->PixelsPerInch());
    box.SetAlignment(TAlignment::taCenter);
    box.SetBiDiMode(readingOrder);
}

// The error box over the form, which counts as taking no input until it closes.
void ShowEntryError(TForm& form, const std::wstring& message) {
    const TForm::TModalBox modal(form);
    ShowErrorBox(form.Handle(), ErrorBoxTexts(), message);
}

// A box's new text, announced by screen readers.
void ShowText(TEdit& box, const std::wstring& text) {
    box.SetText(text);
    box.NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE);
}

// A copy button's new caption; screen readers hear of a change.
void ShowCaption(TButton& button, const std::wstring& caption) {
    const bool changed = button.Caption() != caption;
    button.SetCaption(caption);
    if (changed)
        button.NotifyAccessibleEvent(EVENT_OBJECT_NAMECHANGE);
}

// Copy format 1, 2 or 3 of what the boxes hold now, which may differ from
// the last calculation.
void CopyFormat(const TForm1& form, int formatNo) {
    const std::u16string_view prefix =
        ostrafel::GetWaterPrefix(form.CheckBoxCold->Checked(), form.CheckBoxHot->Checked());
    const std::u16string text = ostrafel::ComposeCopyText(
        formatNo, prefix, ToUtf16(form.EditSFU->Text()), ToUtf16(form.EditGPM->Text()));
    PutClipboardText(Application->Handle(), ToWide(text), ClipboardTexts());
}

}  // namespace

void TForm1::FormCreate(TObject*) {
    EditGPM->OnKeyPress = Bind(this, &TForm1::EditGPMKeyPress);
    // Already counting since the window was made: this does not restart it.
    TimerInternet->SetEnabled(true);
    MemoWidget->Clear();
}

void TForm1::FormShortCut(TObject*, unsigned Key, bool Repeat, bool& Handled) {
    // Ctrl+Enter calculates from anywhere in the window, once per press.
    if (Key != VK_RETURN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 ||
        GetKeyState(VK_MENU) < 0)
        return;
    Handled = true;
    if (!Repeat)
        CalculateClick(Calculate);
}

void TForm1::EditSFUKeyPress(TObject*, wchar_t& Key) {
    if (!IsEntryCharacter(Key))
        Key = L'\0';
}

void TForm1::EditGPMKeyPress(TObject*, wchar_t& Key) {
    // Typing does nothing here; Delete, cut and paste still edit the box.
    Key = L'\0';
}

void TForm1::EditScaleExit(TObject*) {
    // This runs while the next control takes the focus; rescaling hides and
    // shows the window, which must wait until the focus has settled there.
    Post([this] { ApplyScaleBox(*this); });
}

void TForm1::EditScaleKeyPress(TObject*, wchar_t& Key) {
    if (Key != L'\r')
        return;
    ApplyScaleBox(*this);
    Key = L'\0';
}

void TForm1::CalculateClick(TObject*) {
    // Never inside another calculation's error box, however the press came.
    if (!TakesInput())
        return;
    const ostrafel::CalculationOutcome outcome =
        ostrafel::EvaluateEntry(ToUtf16(EditSFU->Text()));
    // The total of a sum shows before anything else of the calculation.
    if (outcome.EntryWriteBack)
        ShowText(*EditSFU, ToWide(*outcome.EntryWriteBack));
    switch (outcome.Kind) {
    case ostrafel::OutcomeKind::InvalidEntry:
        ShowEntryError(*this, ToWide(outcome.MessageText));
        EditSFU->SetFocus();
        break;
    case ostrafel::OutcomeKind::OutOfRange:
        StyleResultBox(*EditGPM, 12, TBiDiMode::bdRightToLeft);
        ShowText(*EditGPM, ToWide(outcome.MessageText));
        break;
    case ostrafel::OutcomeKind::Computed:
        StyleResultBox(*EditGPM, 14, TBiDiMode::bdLeftToRight);
        ShowText(*EditGPM, ToWide(outcome.ResultText));
        ShowCaption(*Button2, ToWide(outcome.CopyCaptions[0]));
        ShowCaption(*Button3, ToWide(outcome.CopyCaptions[1]));
        ShowCaption(*Button4, ToWide(outcome.CopyCaptions[2]));
        break;
    }
}

void TForm1::Button2Click(TObject*) { CopyFormat(*this, 1); }

void TForm1::Button3Click(TObject*) { CopyFormat(*this, 2); }

void TForm1::Button4Click(TObject*) { CopyFormat(*this, 3); }

void TForm1::CheckBoxTopClick(TObject*) {
    const bool wanted = CheckBoxTop->Checked();
    const bool topmost = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (wanted == topmost)
        return;
    // Only the place in the z-order changes; the window is not rebuilt.
    SetWindowPos(Handle(), wanted ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TForm1::TimerInternetTimer(TObject*) {
    if (!HasInternet())
        return;
    // Stopped before the fetch, so that the news is fetched once whatever comes of it.
    TimerInternet->SetEnabled(false);
    LoadWidgetFromServer();
}

bool TForm1::HasInternet() { return ostrafel::HasInternet(NetHTTPClient1, FNewsOrigin); }

void TForm1::LoadWidgetFromServer() {
    // The user never hears of a failure: the box keeps what it had.
    try {
        if (const std::optional<std::u16string> text =
                ostrafel::FetchNewsText(NetHTTPClient1, FNewsOrigin))
            MemoWidget->SetText(ToWide(*text));
    } catch (const std::exception&) {
    }
}
