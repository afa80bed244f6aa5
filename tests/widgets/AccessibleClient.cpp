#include "AccessibleClient.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <algorithm>
#include <functional>

namespace {

// A text property: absent unless the object answers S_OK.
std::optional<std::wstring> ReadText(const std::function<HRESULT(BSTR*)>& get) {
    BSTR text = nullptr;
    const HRESULT result = get(&text);
    std::optional<std::wstring> read;
    if (result == S_OK && text)
        read.emplace(text, SysStringLen(text));
    else if (result == S_OK)
        read.emplace();
    SysFreeString(text);
    return read;
}

LONG ReadLong(const std::function<HRESULT(VARIANT*)>& get) {
    VARIANT value;
    VariantInit(&value);
    const HRESULT result = get(&value);
    const LONG read = (result == S_OK && value.vt == VT_I4) ? value.lVal : -1;
    VariantClear(&value);
    return read;
}

// The one recorder alive: an event procedure has no data of its own.
WinEventRecorder* gRecorder = nullptr;

}  // namespace

UniqueCom<IAccessible> AccessibleOf(HWND window) {
    UniqueCom<IAccessible> object;
    // __uuidof, not the import library's IID_IAccessible, which links as code.
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(object.put()))))
        object.reset();
    return object;
}

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

AccessibleFacts ReadFacts(IAccessible& object) {
    AccessibleFacts facts;
    facts.Name = ReadText([&](BSTR* out) { return object.get_accName(Self(), out); });
    facts.Value = ReadText([&](BSTR* out) { return object.get_accValue(Self(), out); });
    facts.Description = ReadText([&](BSTR* out) { return object.get_accDescription(Self(), out); });
    facts.DefaultAction =
        ReadText([&](BSTR* out) { return object.get_accDefaultAction(Self(), out); });
    facts.KeyboardShortcut =
        ReadText([&](BSTR* out) { return object.get_accKeyboardShortcut(Self(), out); });
    facts.Role = ReadLong([&](VARIANT* out) { return object.get_accRole(Self(), out); });
    facts.State = ReadLong([&](VARIANT* out) { return object.get_accState(Self(), out); });
    return facts;
}

AccessibleFacts ReadFacts(HWND window) {
    const UniqueCom<IAccessible> object = AccessibleOf(window);
    return object ? ReadFacts(*object.get()) : AccessibleFacts{};
}

void ExpectFacts(const AccessibleFacts& actual, const AccessibleFacts& expected,
                 LONG comparedStates) {
    EXPECT_EQ(actual.Name, expected.Name);
    EXPECT_EQ(actual.Value, expected.Value);
    EXPECT_EQ(actual.Description, expected.Description);
    EXPECT_EQ(actual.DefaultAction, expected.DefaultAction);
    EXPECT_EQ(actual.KeyboardShortcut, expected.KeyboardShortcut);
    EXPECT_EQ(actual.Role, expected.Role);
    EXPECT_NE(actual.State, -1);
    EXPECT_EQ(actual.State & comparedStates, expected.State);
}

WinEventRecorder::WinEventRecorder(DWORD first, DWORD last) {
    gRecorder = this;
    FHook.reset(SetWinEventHook(first, last, nullptr, Receive, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT));
}

WinEventRecorder::~WinEventRecorder() {
    FHook.reset();
    gRecorder = nullptr;
}

int WinEventRecorder::Count(DWORD kind, HWND window) const {
    return static_cast<int>(std::count_if(FEvents.begin(), FEvents.end(), [&](const Event& event) {
        return event.Kind == kind && event.Window == window && event.ObjectId == OBJID_CLIENT &&
               event.ChildId == CHILDID_SELF;
    }));
}

void CALLBACK WinEventRecorder::Receive(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId,
                                        LONG childId, DWORD, DWORD) {
    if (gRecorder)
        gRecorder->FEvents.push_back({event, window, objectId, childId});
}
