// Developer tool: opens the program's window in this process, plays a few user
// actions on it and saves a picture of the window's client area as PNG.
//
//   ostrafel-shot [ACTION...] OUTPUT.png
//
//   --type NAME=TEXT   focus the box NAME and type TEXT, one character at a time
//   --enter NAME       focus the box NAME and press Enter
//   --click NAME       click the middle of the control NAME with the left button
//   --check NAME       click the check box NAME unless it is checked
//   --focus NAME       move the keyboard focus to NAME
//   --tab              press Tab
//   --scale PERCENT    type PERCENT into EditScale and press Enter
//   --wait MS          let the window run for MS milliseconds (timers tick)
//   --bounds           print the name, left, top, width and height of every control
//
// NAME is a control of the window (EditSFU, Calculate, CheckBoxCold, ...).
// A message box that an action opens is answered with OK at once; its caption
// and text are printed.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Application.h"
#include "Unit1.h"
#include "WindowPng.h"

namespace {

constexpr UINT kAnswerBoxesEveryMs = 200;

std::runtime_error Failure(const std::wstring& text) {
    return std::runtime_error(std::string(text.begin(), text.end()));
}

// Every control of the window with its name, from the top of the window down.
std::vector<std::pair<std::wstring_view, TControl*>> NamedControls(TForm1& form) {
    return {
        {L"EditScale", form.EditScale},
        {L"Label1", form.Label1},
        {L"EditSFU", form.EditSFU},
        {L"Calculate", form.Calculate},
        {L"EditGPM", form.EditGPM},
        {L"Label2", form.Label2},
        {L"Button2", form.Button2},
        {L"Label3", form.Label3},
        {L"Button3", form.Button3},
        {L"Label4", form.Label4},
        {L"Button4", form.Button4},
        {L"Label6", form.Label6},
        {L"CheckBoxCold", form.CheckBoxCold},
        {L"Label7", form.Label7},
        {L"CheckBoxHot", form.CheckBoxHot},
        {L"Label5", form.Label5},
        {L"CheckBoxTop", form.CheckBoxTop},
        {L"MemoWidget", form.MemoWidget},
        {L"Image1", form.Image1},
    };
}

TControl* FindControl(TForm1& form, std::wstring_view name) {
    for (auto [controlName, control] : NamedControls(form)) {
        if (controlName == name) {
            return control;
        }
    }
    throw Failure(L"no control named " + std::wstring(name));
}

void PrintBounds(TForm1& form) {
    for (auto [name, control] : NamedControls(form)) {
        std::wprintf(L"%-13ls %4d %4d %4d x %d\n", std::wstring(name).c_str(), control->Left(),
                     control->Top(), control->Width(), control->Height());
    }
}

template <class T> T& FindControlOf(TForm1& form, std::wstring_view name) {
    auto* control = dynamic_cast<T*>(FindControl(form, name));
    if (!control) {
        throw Failure(std::wstring(name) + L" cannot do that");
    }
    return *control;
}

void Settle() {
    Application->ProcessMessages();
}

// The text of a message box: its caption and the texts of its labels.
BOOL CALLBACK AppendStaticText(HWND child, LPARAM text) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring_view(className) == L"Static") {
        wchar_t line[1024] = {};
        GetWindowTextW(child, line, 1024);
        if (line[0]) {
            *reinterpret_cast<std::wstring*>(text) += std::wstring(L" | ") + line;
        }
    }
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && std::wstring_view(className) == L"#32770") {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        std::wstring text = caption;
        EnumChildWindows(window, AppendStaticText, reinterpret_cast<LPARAM>(&text));
        std::fwprintf(stderr, L"ostrafel-shot: answered a message box: %ls\n", text.c_str());
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return TRUE;
}

// Runs inside the nested message loop of a modal box, which would otherwise wait for a user.
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

void TypeText(TWinControl& control, std::wstring_view text) {
    control.SetFocus();
    Settle();
    for (wchar_t character : text) {
        SendMessageW(control.Handle(), WM_CHAR, character, 1);
        Settle();
    }
}

// Mouse messages go to the control's own window, or to its parent's for a label or picture.
void ClickCentre(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    HWND target = windowed ? windowed->Handle() : control.Parent()->Handle();
    POINT at{control.Width() / 2, control.Height() / 2};
    if (!windowed) {
        at.x += control.Left();
        at.y += control.Top();
    }
    LPARAM position = MAKELPARAM(at.x, at.y);
    SendMessageW(target, WM_MOUSEMOVE, 0, position);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
    SendMessageW(target, WM_LBUTTONUP, 0, position);
    Settle();
}

void PressTab(TForm1& form) {
    HWND focus = GetFocus();
    PostMessageW(focus ? focus : form.Handle(), WM_KEYDOWN, VK_TAB, 1);
    Settle();
}

void Wait(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Settle();
    }
}

// Splits "NAME=TEXT" at its first "=".
std::pair<std::wstring, std::wstring> NameAndText(const std::wstring& argument) {
    size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos) {
        throw Failure(L"expected NAME=TEXT, got " + argument);
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

void PlayAction(TForm1& form, const std::wstring& action, const std::wstring& argument) {
    if (action == L"--type") {
        auto [name, text] = NameAndText(argument);
        TypeText(FindControlOf<TWinControl>(form, name), text);
    } else if (action == L"--enter") {
        TypeText(FindControlOf<TWinControl>(form, argument), L"\r");
    } else if (action == L"--click") {
        ClickCentre(*FindControl(form, argument));
    } else if (action == L"--check") {
        auto& box = FindControlOf<TCheckBox>(form, argument);
        if (!box.Checked()) {
            ClickCentre(box);
        }
    } else if (action == L"--focus") {
        FindControlOf<TWinControl>(form, argument).SetFocus();
        Settle();
    } else if (action == L"--scale") {
        TypeText(*form.EditScale, argument + L"\r");
    } else if (action == L"--wait") {
        Wait(static_cast<DWORD>(std::stoul(argument)));
    } else {
        throw Failure(L"unknown action " + action);
    }
}

// The actions without an argument; false for any other.
bool PlayPlainAction(TForm1& form, const std::wstring& action) {
    if (action == L"--tab") {
        PressTab(form);
    } else if (action == L"--bounds") {
        PrintBounds(form);
    } else {
        return false;
    }
    return true;
}

int Run(const std::vector<std::wstring>& arguments) {
    if (arguments.empty() || arguments.back().starts_with(L"--")) {
        std::fwprintf(stderr, L"usage: ostrafel-shot [ACTION...] OUTPUT.png\n");
        return 2;
    }
    TApplication application;
    Application->Initialize();
    Application->MainFormOnTaskbar = true;
    Application->CreateForm(Form1);
    Form1->Show();
    Wait(100);
    SetTimer(nullptr, 0, kAnswerBoxesEveryMs, AnswerBoxes);

    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        const std::wstring& action = arguments[i];
        if (PlayPlainAction(*Form1, action)) {
            continue;
        }
        if (i + 2 < arguments.size()) {
            PlayAction(*Form1, action, arguments[++i]);
        } else {
            throw Failure(action + L" needs an argument");
        }
    }
    Wait(100);
    SaveClientAreaPng(Form1->Handle(), arguments.back());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return Run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "ostrafel-shot: %s\n", failure.what());
        return 1;
    }
}
