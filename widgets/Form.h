// A top-level window with a dialog frame that holds the controls.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "WinControl.h"

// Sent by Windows 8.1 and later, which the headers for the oldest supported
// system do not name; a form keeps its pixel sizes when it comes.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

class TAccessibilityLibrary;
class TForm;

// What a form asks of the program around it; the application answers.
class TFormHost {
  public:
    // The window that owns the forms; null for an unowned form with its own
    // taskbar button.
    virtual HWND FormOwner() const = 0;
    // The user or the program closed form.
    virtual void FormClosed(TForm& form) = 0;
    // The platform's accessibility functions for the forms' controls, asked
    // when an assistive program first asks a control for its object; null
    // leaves the controls to the platform. They outlive the forms.
    virtual const TAccessibilityLibrary* Accessibility() = 0;

  protected:
    ~TFormHost() = default;
};

class TForm : public TWinControl {
  public:
    // Installs the host of the forms made from now on (null for none) and
    // returns the one it replaces.
    static TFormHost* SetHost(TFormHost* host);

    // Makes the window at once, hidden, at the screen origin.
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Shows the window; the first time, OnShow runs before it is drawn.
    void Show(int showCommand = SW_SHOWNORMAL);
    // Asks the window to close, as its close button does.
    void Close();

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);
    // The client size last asked for with SetClientSize, which the platform may
    // have cut to fit the screen; the real one before any was asked for.
    SIZE RequestedClientSize() const;

    // Runs once, when the window is first shown, before it is drawn.
    TNotifyEvent OnShow;
    // Sees each key pressed in the window before the control with the focus
    // does, and before the keys that move the focus.
    TShortCutEvent OnShortCut;

    // The control that has, or last had, the focus on this form.
    TWinControl* ActiveControl() const { return FActiveControl; }
    // The controls that Tab visits, in order.
    std::vector<TWinControl*> TabCycle() const;
    // Moves the focus to the next control of the cycle, or the previous one.
    void SelectNext(bool forward);
    // Handles a key pressed in the window (WM_KEYDOWN's key and key data)
    // before the control with the focus: OnShortCut, then the keys that move
    // the focus. False for a key left to the control, and for every key while
    // the window takes no input.
    bool DialogKey(WPARAM key, LPARAM keyData);

    // Runs action from the message loop once the message handled now, and
    // what it set off (a change of focus), is done; dropped if the window goes
    // first. Actions run in the order they were posted.
    void Post(std::function<void()> action);

    // The user can work in the window now: it is enabled and no modal box of
    // the program's is up over it. What runs on the user's behalf from a
    // queued message (a shortcut, a screen reader's press) is dropped otherwise.
    bool TakesInput() const override;
    // Counts as a modal box of the program's over the form while it lives.
    class TModalBox {
      public:
        explicit TModalBox(TForm& form) : FForm(form) { ++FForm.FModalBoxes; }
        ~TModalBox() { --FForm.FModalBoxes; }
        TModalBox(const TModalBox&) = delete;
        TModalBox& operator=(const TModalBox&) = delete;

      private:
        TForm& FForm;
    };

  protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FocusChanged(TWinControl* control) override;
    void ControlDestroying(TWinControl* control) override;
    const TAccessibilityLibrary* Accessibility() override;

  private:
    void FocusActiveControl();

    TWinControl* FActiveControl = nullptr;  // one of the controls, not owned
    bool FShown = false;
    int FModalBoxes = 0;
    std::deque<std::function<void()>> FPosted;
    std::optional<SIZE> FRequestedClientSize;
};
