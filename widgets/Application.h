// The application object: the hidden application window, the message loop,
// the main form and the failure report, which it installs as the failure sink
// for its lifetime.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "AccessibilityLibrary.h"
#include "Component.h"
#include "FailureSink.h"
#include "Form.h"
#include "Handles.h"
#include "MessageWindow.h"

class TApplication : public TComponent, public TFormHost {
  public:
    // Makes the hidden application window and reads the title, the icon
    // "MAINICON" (absent in test programs) and the screen's pixels per inch.
    // The object becomes Application, the forms' host and the failure sink
    // for its lifetime.
    TApplication();
    ~TApplication() override;

    // Prepares the thread for the controls: the common controls. (COM only
    // when an assistive program asks for it, see Accessibility: starting it
    // slows the start-up.)
    void Initialize();

    // True: the main form is an unowned window with its own taskbar button.
    bool MainFormOnTaskbar = false;
    // Runs when the user's regional settings may have changed (the "intl"
    // section, or a new taskbar after Explorer restarted), after the thread's
    // locale has been set to the user's again.
    TNotifyEvent OnRegionalSettingsChange;

    // Makes a form owned by the application; the first one is the main form.
    template <class T>
    void CreateForm(T*& form) {
        form = InsertComponent(std::make_unique<T>(this));
        if (!FMainForm)
            FMainForm = form;
    }

    // Shows the main form as the program was asked to start (maximised,
    // minimised without activation or normal) and runs the message loop until
    // the program is told to end.
    void Run();
    // Handles the messages that are waiting, then returns; false once the
    // program has been told to end.
    bool ProcessMessages();
    // Ends the message loop.
    void Terminate();

    // The failure report: shows the failure in a message box captioned with
    // the title, owned by the active window; EAbort is silent.
    void HandleException(const std::exception_ptr& failure);

    HWND Handle() const { return FWindow->Handle(); }
    const std::wstring& Title() const { return FTitle; }
    HICON Icon() const { return FIcon; }
    TForm* MainForm() const { return FMainForm; }
    // Logical pixels per inch of the screen when the program started.
    int PixelsPerInch() const { return FPixelsPerInch; }
    // The platform's accessibility functions, loaded (and COM started on this
    // thread) the first time an assistive program asks a control for its
    // accessible object; null when they cannot be had.
    const TAccessibilityLibrary* Accessibility() override;

    // Owner of the forms unless MainFormOnTaskbar; closing the main form ends the loop.
    HWND FormOwner() const override;
    void FormClosed(TForm& form) override;

  private:
    bool HandleApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ProcessMessage(MSG& message);
    bool IsDialogKey(const MSG& message);

    std::wstring FTitle;
    HICON FIcon = nullptr;  // shared resource icon, not owned
    int FPixelsPerInch = 96;
    UINT FTaskbarCreated = 0;
    std::unique_ptr<MessageWindow> FWindow;
    TForm* FMainForm = nullptr;  // owned as a component
    bool FTerminated = false;
    // Goes after the components, whose accessible objects it serves.
    std::unique_ptr<TAccessibilityLibrary> FAccessibility;
    TFormHost* FPreviousHost = nullptr;  // not owned
    TFailureSink FPreviousSink;
};

extern TApplication* Application;

// The show command for the main form from the one the program was started
// with: maximised (3) and minimised without activation (7) are kept, any other
// gives the normal state.
int MainFormShowCommand(int startupShowCommand);
