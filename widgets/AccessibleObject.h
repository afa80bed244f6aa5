// The accessible object of a control: what a screen reader, or UI Automation
// on its behalf, asks a control's window for with WM_GETOBJECT. It answers
// from what the control reports (TWinControl::GetAccessibleInfo) and asks the
// control's window for the default action, which then runs from the message
// loop, so that a client is never kept waiting on a message box.
//
// A client may hold the object longer than the window lives: once the control
// disconnects it, every question is answered CO_E_OBJNOTCONNECTED, and clients
// in other processes find their references cut off.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <optional>

#include "AccessibleInfo.h"

class TAccessibilityLibrary;
class TWinControl;

class TAccessibleObject final : public IAccessible, public IOleWindow {
  public:
    // With one reference, the caller's. The library outlives the connection.
    TAccessibleObject(TWinControl& control, const TAccessibilityLibrary& library);
    TAccessibleObject(const TAccessibleObject&) = delete;
    TAccessibleObject& operator=(const TAccessibleObject&) = delete;

    // The control's window is going: from now on the object knows nothing.
    void Disconnect();

    // The message that the object posts to the control's window to run the
    // control's default action.
    static UINT DefaultActionMessage();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; clients call the methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                            LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

    // IAccessible: one element without children, CHILDID_SELF.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // IOleWindow: the control's window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

  private:
    ~TAccessibleObject() = default;

    // What the control reports now, when it is still there and child is the
    // object itself; otherwise the error to answer.
    HRESULT Query(const VARIANT& child, TAccessibleInfo& info) const;
    HWND Window() const;
    // Hands a text to the client: S_FALSE and null for an empty text when
    // the property may be absent.
    HRESULT PutText(const std::wstring& text, bool emptyIsAbsent, BSTR* out) const;
    // One text property, absent when empty, or one number of what the control reports.
    HRESULT AnswerText(const VARIANT& child, std::wstring TAccessibleInfo::*text, BSTR* out) const;
    HRESULT AnswerLong(const VARIANT& child, LONG TAccessibleInfo::*number, VARIANT* out) const;

    LONG FReferences = 1;
    TWinControl* FControl;  // not owned; null once disconnected
    const TAccessibilityLibrary* FLibrary;  // not owned
};
