#include "WinControl.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "AccessibilityLibrary.h"
#include "AccessibleObject.h"
#include "Exceptions.h"
#include "WindowProcedure.h"

namespace {

constexpr TWindowProcedure<TWinControl> kProcedure(L"Ostrafel.Control");

bool Intersect(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    if (TWinControl* top = TopParent(); top != this)
        top->ControlDestroying(this);
    for (TControl* child : FControls)
        child->FParent = nullptr;
    FControls.clear();
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return kProcedure.Find(window);
}

void TWinControl::SetParent(TWinControl* parent) {
    TControl::SetParent(parent);
    if (parent && parent->HandleAllocated() && !HandleAllocated())
        CreateHandle();
}

std::wstring TWinControl::Caption() const {
    if (!HandleAllocated())
        return TControl::Caption();
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetCaption(std::wstring caption) {
    // The window's text may have been typed since; always pass the new one on.
    FCaption = std::move(caption);
    CaptionChanged();
}

bool TWinControl::CanFocus() const {
    return HandleAllocated() && IsWindowVisible(Handle()) && IsWindowEnabled(Handle());
}

bool TWinControl::Focused() const { return HandleAllocated() && GetFocus() == Handle(); }

void TWinControl::SetFocus() {
    if (HandleAllocated())
        ::SetFocus(Handle());
}

void TWinControl::Invalidate() {
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

void TWinControl::InvalidateArea(const RECT& area) {
    if (HandleAllocated())
        InvalidateRect(Handle(), &area, TRUE);
}

TWinControl* TWinControl::TopParent() {
    TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    return top;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Bounds = BoundsRect();
    if (Parent())
        params.WndParent = Parent()->Handle();
}

void TWinControl::CreateHandle() {
    TCreateParams params;
    CreateParams(params);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!params.SystemClass) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = params.ClassStyle;
        windowClass.lpfnWndProc = ClassWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = params.ClassName.c_str();
        RegisterClassExW(&windowClass);  // fails harmlessly once the class exists
    }
    FSystemClass = params.SystemClass;
    const RECT& r = params.Bounds;
    HWND window = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), FCaption.c_str(),
                                  params.Style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  params.WndParent, nullptr, instance, this);
    if (!window)
        RaiseLastOSError(L"Cannot create window");
    if (params.SystemClass) {
        Attach(window);
        SetWindowSubclass(window, SubclassWindowProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    HandleCreated();
}

void TWinControl::HandleCreated() {
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::RecreateWnd() {
    if (!HandleAllocated())
        return;
    const bool hadFocus = Focused();
    HWND above = GetWindow(Handle(), GW_HWNDPREV);
    FCaption = Caption();
    // The old window goes only once its windowed children have moved to the
    // new one, bottom first, so that they keep their order.
    UniqueHwnd old(FHandle.get());
    Detach();
    CreateHandle();
    std::vector<HWND> children;
    for (HWND child = GetWindow(old.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        ::SetParent(*child, Handle());
    SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    old.reset();
    if (hadFocus)
        SetFocus();
}

void TWinControl::Attach(HWND window) {
    FHandle.reset(window);
    kProcedure.Bind(window, this);
}

void TWinControl::Detach() {
    if (FAccessible) {
        FAccessible->Disconnect();
        FAccessible.reset();
    }
    HWND window = FHandle.release();
    if (!window)
        return;
    kProcedure.Unbind(window);
    if (FSystemClass)
        RemoveWindowSubclass(window, SubclassWindowProc, 0);
}

void TWinControl::DestroyHandle() {
    if (!FHandle)
        return;
    UniqueHwnd window(FHandle.get());
    Detach();  // no message of the dying window reaches this object
}

LRESULT CALLBACK TWinControl::ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    return kProcedure.ClassMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return kProcedure.Dispatch(*reinterpret_cast<TWinControl*>(self), window, message, wParam,
                               lParam);
}

LRESULT TWinControl::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A handler may destroy this object, or rebuild its window.
    const std::weak_ptr<const void> alive = Alive();
    const HWND outer = std::exchange(FMessageWindow, window);
    const auto restore = [&] {
        if (!alive.expired())
            FMessageWindow = outer;
    };
    LRESULT result = 0;
    try {
        result = WndProc(message, wParam, lParam);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result;
}

bool TWinControl::TakesInput() const {
    return HandleAllocated() && IsWindowEnabled(GetAncestor(Handle(), GA_ROOT)) != FALSE;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    // Never the new window of a rebuild for a message of the old one.
    HWND window = FMessageWindow ? FMessageWindow : Handle();
    if (FSystemClass)
        return DefSubclassProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void TWinControl::GetAccessibleInfo(TAccessibleInfo& info) const {
    info.Name = FAccessibleName.empty() ? Caption() : FAccessibleName;
    info.Role = ROLE_SYSTEM_CLIENT;
    info.KeyboardShortcut = FAccessibleShortcut;
    if (!HandleAllocated())
        return;
    if (!IsWindowVisible(Handle()))
        info.State |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(Handle()))
        info.State |= STATE_SYSTEM_UNAVAILABLE;
    if (FTabStop)
        info.State |= STATE_SYSTEM_FOCUSABLE;
    if (Focused())
        info.State |= STATE_SYSTEM_FOCUSED;
}

void TWinControl::NotifyAccessibleEvent(DWORD event) const {
    if (HandleAllocated())
        NotifyWinEvent(event, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

LRESULT TWinControl::AnswerAccessibleObject(WPARAM wParam, LPARAM lParam) {
    // The object id travels as a 32-bit value, whatever the size of LPARAM.
    if (!Parent() || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    const TAccessibilityLibrary* library = TopParent()->Accessibility();
    if (!library)
        return 0;
    if (!FAccessible)
        FAccessible = UniqueCom<TAccessibleObject>(new TAccessibleObject(*this, *library));
    const LRESULT answer = library->LresultFromObject(
        __uuidof(IAccessible), wParam, static_cast<IAccessible*>(FAccessible.get()));
    // A failure leaves the question to the platform.
    return answer > 0 ? answer : 0;
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TAccessibleObject::DefaultActionMessage()) {
        // The press waited in the queue: by now a modal box may be up.
        if (HandleAllocated() && IsWindowEnabled(Handle()) && TopParent()->TakesInput())
            DoAccessibleDefaultAction();
        return 0;
    }
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT answer = AnswerAccessibleObject(wParam, lParam))
            return answer;
        break;
    case WM_COMMAND:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
            child && child != this && child->CommandNotify(HIWORD(wParam)))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
            return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_SETCURSOR:
        if (Cursor() && reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(LoadCursorW(nullptr, Cursor()));
            return TRUE;
        }
        break;
    case WM_SETFOCUS: {
        const LRESULT result = DefaultHandler(message, wParam, lParam);
        if (TWinControl* top = TopParent(); top != this)
            top->FocusChanged(this);
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        // The user may have moved the window; the bounds follow what it is.
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOMOVE)) {
            FLeft = position->x;
            FTop = position->y;
        }
        if (!(position->flags & SWP_NOSIZE)) {
            FWidth = position->cx;
            FHeight = position->cy;
        }
        break;
    }
    case WM_ERASEBKGND:
        if (!FSystemClass) {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, BrushHandle());
            return 1;
        }
        break;
    case WM_PAINT:
        if (!FSystemClass) {
            PaintScope paint(Handle());
            PaintWindow(paint.dc(), paint.area());
            return 0;
        }
        break;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    return BrushHandle();
}

void TWinControl::PaintWindow(HDC dc, const RECT& area) {
    for (TControl* control : FControls)
        if (auto* graphic = dynamic_cast<TGraphicControl*>(control);
            graphic && Intersect(area, graphic->BoundsRect()))
            graphic->PaintOn(dc);
}

void TWinControl::DoExit() {
    RaiseEvent(OnExit, this);
}

void TWinControl::BoundsChanged(const RECT&) {
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::CaptionChanged() {
    if (HandleAllocated())
        SetWindowTextW(Handle(), FCaption.c_str());
}

void TWinControl::FontChanged() {
    if (HandleAllocated())
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    AdjustSize();
    for (TControl* control : FControls)
        control->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (TControl* control : FControls)
        control->ParentColorChanged();
}

void TWinControl::InsertControl(TControl* control) { FControls.push_back(control); }

void TWinControl::RemoveControl(TControl* control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}
