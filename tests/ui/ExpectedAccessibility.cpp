#include "ExpectedAccessibility.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::optional<std::wstring> kNone;
constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;

AccessibleFacts EditBox(const wchar_t* name, LONG state = kFocusable) {
    return {name, L"", kNone, kNone, kNone, ROLE_SYSTEM_TEXT, state};
}

AccessibleFacts CopyButton(const wchar_t* caption, const wchar_t* text) {
    return {caption, text, text, L"Press", kNone, ROLE_SYSTEM_PUSHBUTTON, kFocusable};
}

AccessibleFacts CheckBox(const wchar_t* caption) {
    return {caption, kNone, kNone, L"Check", kNone, ROLE_SYSTEM_CHECKBUTTON, kFocusable};
}

}  // namespace

const std::vector<ExpectedControl>& ExpectedControls() {
    static const std::vector<ExpectedControl> controls = {
        {"EditScale", {0, 0}, EditBox(L"SCALE")},
        {"EditSFU", {75, 113}, EditBox(L"Enter SFU")},
        {"Calculate",
         {75, 215},
         {L"محاسبه", kNone, kNone, L"Press", L"Ctrl+Enter", ROLE_SYSTEM_PUSHBUTTON, 0}},
        {"EditGPM", {75, 318}, EditBox(L"GPM Result")},
        {"Button2", {75, 480}, CopyButton(L"کپی به اتوکد فرمت 1", L"FORM 1")},
        {"Button3", {75, 623}, CopyButton(L"کپی به اتوکد فرمت 2", L"FORM 2")},
        {"Button4", {75, 765}, CopyButton(L"کپی به اتوکد فرمت 3", L"FORM 3")},
        {"CheckBoxCold", {228, 827}, CheckBox(L"آب سرد مصرفی")},
        {"CheckBoxHot", {498, 827}, CheckBox(L"آبگرم مصرفی")},
        {"CheckBoxTop", {498, 891}, CheckBox(L"نرم\u200Cافزار روی صفحه باشد")},
        {"MemoWidget", {25, 930}, EditBox(L"اخبار", kFocusable | STATE_SYSTEM_READONLY)},
    };
    return controls;
}
