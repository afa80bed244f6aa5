// Controls with a window of their own.
//
// Windows of the program's own classes are bound to their object at
// WM_NCCREATE, windows of the platform's classes (edit boxes, buttons) right
// after creation, where they are also subclassed. Both reach the object's
// virtual WndProc through the widget layer's one window procedure
// (WindowProcedure.h), which hands a failure that escapes to the failure sink.
// A parent hands WM_COMMAND and WM_CTLCOLOR* of a child back to the child's
// object, so each control handles its own notifications and colours.
#pragma once

#include <string>
#include <vector>

#include "AccessibleInfo.h"
#include "Control.h"
#include "Handles.h"

class TAccessibilityLibrary;
class TAccessibleObject;
template <class T> class TWindowProcedure;

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window; null until the control has a parent with a window.
    HWND Handle() const { return FHandle.get(); }
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Whether the user can work in the window now; what runs on the user's behalf
    // from a queued message (a screen reader's press) is dropped otherwise. Here:
    // while its top-level window is enabled.
    virtual bool TakesInput() const;
    // The control object of one of the program's windows, or null.
    static TWinControl* FromHandle(HWND window);

    void SetParent(TWinControl* parent) override;
    std::wstring Caption() const override;
    void SetCaption(std::wstring caption) override;

    // Place in the keyboard focus cycle of the form; ties keep the order of making.
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order) { FTabOrder = order; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    // Has a window that is visible and enabled.
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();

    void Invalidate() override;
    void InvalidateArea(const RECT& area);

    // Runs when the keyboard focus moves from this control to another control
    // of the same form (not when another window or program is activated).
    TNotifyEvent OnExit;

    const std::vector<TControl*>& Controls() const { return FControls; }

    // Makes a new window from the current properties in place of the old
    // one, keeping text, bounds, font, place among its siblings, the focus and
    // the windows of its windowed children, which move over; then destroys
    // the old window.
    void RecreateWnd();

    // What screen readers announce the control as. Empty: a control whose
    // caption names it (a button) goes by its caption, others have no name.
    // It belongs to the control, not the window, and so outlasts a rebuild.
    const std::wstring& AccessibleName() const { return FAccessibleName; }
    void SetAccessibleName(std::wstring name) { FAccessibleName = std::move(name); }
    // The keys that do the control's default action from anywhere in its
    // form, as screen readers read them out ("Ctrl+Enter"); empty for none.
    const std::wstring& AccessibleShortcut() const { return FAccessibleShortcut; }
    void SetAccessibleShortcut(std::wstring keys) { FAccessibleShortcut = std::move(keys); }
    // What the control's accessible object reports now. A control on a parent
    // gives that object to assistive programs that ask its window (WM_GETOBJECT
    // for OBJID_CLIENT); a form leaves its client area to the platform, which
    // lists the controls.
    virtual void GetAccessibleInfo(TAccessibleInfo& info) const;
    // Tells assistive programs that something of the control's accessible
    // object changed (EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_NAMECHANGE and so on).
    void NotifyAccessibleEvent(DWORD event) const;

  protected:
    struct TCreateParams {
        std::wstring ClassName;
        bool SystemClass = false;  // a platform class, subclassed after creation
        UINT ClassStyle = 0;       // for the program's own classes
        DWORD Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD ExStyle = 0;
        HWND WndParent = nullptr;  // parent, or owner of a top-level window
        RECT Bounds{};             // left, top, right, bottom
    };
    virtual void CreateParams(TCreateParams& params);
    // Makes the window; the form calls this from its constructor, other
    // controls get theirs when they are put on a parent that has one.
    void CreateHandle();
    // Applies the stored properties to a new window.
    virtual void HandleCreated();

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The platform's handling, by the window that the message came for.
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A WM_COMMAND notification of this control, reflected by its parent.
    virtual bool CommandNotify(WORD /*code*/) { return false; }
    // WM_CTLCOLOR* of this control, reflected by its parent: text and
    // background colours and the background brush.
    virtual HBRUSH CtlColor(HDC dc);
    // Paints what lies on the control's own window: the graphic children.
    virtual void PaintWindow(HDC dc, const RECT& area);
    virtual void DoExit();
    // What the default action that an assistive program asked for does; it
    // runs from the message loop, and only while the window is enabled and
    // its form takes input (TForm::TakesInput).
    virtual void DoAccessibleDefaultAction() {}
    // Raises control's OnExit, for the top-level control that tracks the focus.
    static void Exit(TWinControl& control) { control.DoExit(); }
    // The top-level control (a form) hears of its windowed descendants: one
    // took the keyboard focus, or one is going.
    virtual void FocusChanged(TWinControl* /*control*/) {}
    virtual void ControlDestroying(TWinControl* /*control*/) {}
    // The accessibility functions that the top-level control has for its
    // windowed descendants (a form asks its host); null for none.
    virtual const TAccessibilityLibrary* Accessibility() { return nullptr; }
    void DestroyHandle();

    void BoundsChanged(const RECT& old) override;
    void CaptionChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

  private:
    friend class TControl;
    friend class TWindowProcedure<TWinControl>;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The control at the top of the parent chain: itself while unparented.
    TWinControl* TopParent();
    void Attach(HWND window);
    void Detach();
    // A message of window, which a handler may rebuild; WndProc's failures go on to the caller.
    LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The accessible object for WM_GETOBJECT, or 0 for the platform's answer.
    LRESULT AnswerAccessibleObject(WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK SubclassWindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    UniqueHwnd FHandle;
    // The window that the message being handled came for, which a handler
    // may have rebuilt since; not owned.
    HWND FMessageWindow = nullptr;
    bool FSystemClass = false;
    int FTabOrder = 0;
    bool FTabStop = false;
    std::vector<TControl*> FControls;  // children, not owned
    std::wstring FAccessibleName;
    std::wstring FAccessibleShortcut;
    // Made at the first question, disconnected when the window goes.
    UniqueCom<TAccessibleObject> FAccessible;
};
