// The platform's push button and check box.
#pragma once

#include "WinControl.h"

class TButtonControl : public TWinControl {
  public:
    explicit TButtonControl(TComponent* AOwner);
    TNotifyEvent OnClick;

    // A button named apart from its caption tells the caption as its value
    // and description.
    void GetAccessibleInfo(TAccessibleInfo& info) const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    bool CommandNotify(WORD code) override;
    void Click();
};

// Clicks with the mouse, with Space, and with Enter while it has the focus.
class TButton : public TButtonControl {
  public:
    using TButtonControl::TButtonControl;

    // A push button that assistive programs press.
    void GetAccessibleInfo(TAccessibleInfo& info) const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void DoAccessibleDefaultAction() override { Click(); }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Its click event runs whenever the user changes its state.
class TCheckBox : public TButtonControl {
  public:
    using TButtonControl::TButtonControl;

    bool Checked() const;
    // Changes the state without running the click event.
    void SetChecked(bool value);

    // A check box that assistive programs check and uncheck as the user does.
    void GetAccessibleInfo(TAccessibleInfo& info) const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void DoAccessibleDefaultAction() override;
    void HandleCreated() override;
    bool CommandNotify(WORD code) override;

  private:
    bool FChecked = false;  // the state to give a new window
};
