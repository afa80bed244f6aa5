#include "AccessibleObject.h"

#include <new>

#include "AccessibilityLibrary.h"
#include "WinControl.h"

namespace {

// The body of a method that a client calls: whatever it throws ends here as an
// error for the client, never as an exception in the client's call. Bodies
// clear their out-values first and set them last, so a failure hands out nothing.
template <class Body> HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

void SetEmpty(VARIANT* variant) { variant->vt = VT_EMPTY; }

void SetLong(VARIANT* variant, LONG value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// What the object stands for on screen: the window's client area, without the
// border, in screen coordinates.
RECT ClientAreaOnScreen(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

}  // namespace

TAccessibleObject::TAccessibleObject(TWinControl& control, const TAccessibilityLibrary& library)
    : FControl(&control), FLibrary(&library) {}

void TAccessibleObject::Disconnect() {
    if (!FControl)
        return;
    FControl = nullptr;
    // The references of other processes go now; this may release the object
    // down to the caller's reference.
    FLibrary->DisconnectObject(static_cast<IAccessible*>(this));
}

UINT TAccessibleObject::DefaultActionMessage() {
    static const UINT message = RegisterWindowMessageW(L"Ostrafel.AccessibleDefaultAction");
    return message;
}

HWND TAccessibleObject::Window() const { return FControl ? FControl->Handle() : nullptr; }

HRESULT TAccessibleObject::Query(const VARIANT& child, TAccessibleInfo& info) const {
    if (!Window())
        return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child))
        return E_INVALIDARG;
    FControl->GetAccessibleInfo(info);
    return S_OK;
}

HRESULT TAccessibleObject::PutText(const std::wstring& text, bool emptyIsAbsent,
                                   BSTR* out) const {
    if (text.empty() && emptyIsAbsent)
        return S_FALSE;
    *out = FLibrary->AllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::AnswerText(const VARIANT& child, std::wstring TAccessibleInfo::*text,
                                   BSTR* out) const {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    TAccessibleInfo info;
    const HRESULT result = Query(child, info);
    return FAILED(result) ? result : PutText(info.*text, true, out);
}

HRESULT TAccessibleObject::AnswerLong(const VARIANT& child, LONG TAccessibleInfo::*number,
                                      VARIANT* out) const {
    if (!out)
        return E_POINTER;
    SetEmpty(out);
    TAccessibleInfo info;
    const HRESULT result = Query(child, info);
    if (SUCCEEDED(result))
        SetLong(out, info.*number);
    return result;
}

// IUnknown

HRESULT STDMETHODCALLTYPE TAccessibleObject::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
        *object = static_cast<IAccessible*>(this);
    else if (iid == __uuidof(IOleWindow))
        *object = static_cast<IOleWindow*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TAccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&FReferences));
}

ULONG STDMETHODCALLTYPE TAccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&FReferences);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// IDispatch

HRESULT STDMETHODCALLTYPE TAccessibleObject::GetTypeInfoCount(UINT* count) {
    return Guarded([&] {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    return Guarded([&] {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                                           DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                    VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// IAccessible

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accParent(IDispatch** parent) {
    return Guarded([&] {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        if (!Window())
            return CO_E_OBJNOTCONNECTED;
        // The platform's object for the whole window: its frame, and the way to
        // the siblings.
        return FLibrary->AccessibleObjectFromWindow(Window(), static_cast<DWORD>(OBJID_WINDOW),
                                                    __uuidof(IDispatch),
                                                    reinterpret_cast<void**>(parent));
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accChildCount(LONG* count) {
    return Guarded([&] {
        if (!count)
            return E_POINTER;
        *count = 0;
        return Window() ? S_OK : CO_E_OBJNOTCONNECTED;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accChild(VARIANT, IDispatch** object) {
    return Guarded([&] {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        // The object has no children.
        return Window() ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
    return Guarded([&] { return AnswerText(child, &TAccessibleInfo::Name, name); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return Guarded([&] {
        if (!value)
            return E_POINTER;
        *value = nullptr;
        TAccessibleInfo info;
        const HRESULT result = Query(child, info);
        if (FAILED(result))
            return result;
        return info.Value ? PutText(*info.Value, false, value) : DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    return Guarded([&] { return AnswerText(child, &TAccessibleInfo::Description, description); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return Guarded([&] { return AnswerLong(child, &TAccessibleInfo::Role, role); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return Guarded([&] { return AnswerLong(child, &TAccessibleInfo::State, state); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    return Guarded([&] {
        if (!help)
            return E_POINTER;
        *help = nullptr;
        TAccessibleInfo info;
        const HRESULT result = Query(child, info);
        return FAILED(result) ? result : S_FALSE;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT child,
                                                              LONG* topic) {
    return Guarded([&] {
        if (!helpFile || !topic)
            return E_POINTER;
        *helpFile = nullptr;
        *topic = -1;
        TAccessibleInfo info;
        const HRESULT result = Query(child, info);
        return FAILED(result) ? result : DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accKeyboardShortcut(VARIANT child,
                                                                     BSTR* shortcut) {
    return Guarded([&] { return AnswerText(child, &TAccessibleInfo::KeyboardShortcut, shortcut); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accFocus(VARIANT* focused) {
    return Guarded([&] {
        if (!focused)
            return E_POINTER;
        SetEmpty(focused);
        if (!Window())
            return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != Window())
            return S_FALSE;
        SetLong(focused, CHILDID_SELF);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accSelection(VARIANT* selected) {
    return Guarded([&] {
        if (!selected)
            return E_POINTER;
        SetEmpty(selected);
        return Window() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Guarded([&] { return AnswerText(child, &TAccessibleInfo::DefaultAction, action); });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::accSelect(LONG flags, VARIANT child) {
    return Guarded([&] {
        TAccessibleInfo info;
        if (const HRESULT result = Query(child, info); FAILED(result))
            return result;
        if (flags & ~SELFLAG_VALID)
            return E_INVALIDARG;
        // Only the focus can be given: the controls have nothing to select.
        if (flags != SELFLAG_TAKEFOCUS || !(info.State & STATE_SYSTEM_FOCUSABLE))
            return DISP_E_MEMBERNOTFOUND;
        FControl->SetFocus();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::accLocation(LONG* left, LONG* top, LONG* width,
                                                         LONG* height, VARIANT child) {
    return Guarded([&] {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        TAccessibleInfo info;
        if (const HRESULT result = Query(child, info); FAILED(result))
            return result;
        const RECT bounds = ClientAreaOnScreen(Window());
        *left = bounds.left;
        *top = bounds.top;
        *width = bounds.right - bounds.left;
        *height = bounds.bottom - bounds.top;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::accNavigate(LONG direction, VARIANT start,
                                                         VARIANT* end) {
    return Guarded([&] {
        if (!end)
            return E_POINTER;
        SetEmpty(end);
        TAccessibleInfo info;
        if (const HRESULT result = Query(start, info); FAILED(result))
            return result;
        switch (direction) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            return S_FALSE; // no children
        case NAVDIR_UP:
        case NAVDIR_DOWN:
        case NAVDIR_LEFT:
        case NAVDIR_RIGHT:
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS:
            // The siblings are the parent's to find.
            return DISP_E_MEMBERNOTFOUND;
        default:
            return E_INVALIDARG;
        }
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::accHitTest(LONG x, LONG y, VARIANT* hit) {
    return Guarded([&] {
        if (!hit)
            return E_POINTER;
        SetEmpty(hit);
        if (!Window())
            return CO_E_OBJNOTCONNECTED;
        const RECT bounds = ClientAreaOnScreen(Window());
        if (!PtInRect(&bounds, POINT{x, y}))
            return S_FALSE;
        SetLong(hit, CHILDID_SELF);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::accDoDefaultAction(VARIANT child) {
    return Guarded([&] {
        TAccessibleInfo info;
        if (const HRESULT result = Query(child, info); FAILED(result))
            return result;
        if (info.DefaultAction.empty())
            return DISP_E_MEMBERNOTFOUND;
        if (!PostMessageW(Window(), DefaultActionMessage(), 0, 0))
            return HRESULT_FROM_WIN32(GetLastError());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TAccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

// IOleWindow

HRESULT STDMETHODCALLTYPE TAccessibleObject::GetWindow(HWND* window) {
    return Guarded([&] {
        if (!window)
            return E_POINTER;
        *window = Window();
        return *window ? S_OK : CO_E_OBJNOTCONNECTED;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
