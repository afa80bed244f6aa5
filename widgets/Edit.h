// Edit boxes: the single-line TEdit and the multi-line TMemo.
#pragma once

#include <string>

#include "WinControl.h"

class TCustomEdit : public TWinControl {
  public:
    explicit TCustomEdit(TComponent* AOwner);

    std::wstring Text() const { return Caption(); }
    void SetText(std::wstring text) { SetCaption(std::move(text)); }

    // Alignment and reading order are styles of the platform's window: changing
    // either rebuilds the window (text, position and size carry over).
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Select the whole text when the focus comes by keyboard or program.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }

    void SelectAll();
    // The selection as character positions.
    DWORD SelStart() const;
    DWORD SelLength() const;

    // Sees each typed character before the box does.
    TKeyPressEvent OnKeyPress;

    // Editable text whose value is the box's text; only an accessible name
    // names it.
    void GetAccessibleInfo(TAccessibleInfo& info) const override;

  protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FClicking = false;
};

// A single-line box with a sunken border whose height follows its font.
class TEdit : public TCustomEdit {
  public:
    explicit TEdit(TComponent* AOwner);

    // Grey cue text shown while the box is empty and has no focus.
    const std::wstring& TextHint() const { return FTextHint; }
    void SetTextHint(std::wstring hint);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void ConstrainBounds(int& left, int& top, int& width, int& height) override;

  private:
    std::wstring FTextHint;
    bool FAutoSize = true;
};

// A multi-line box without border whose lines wrap at its width.
class TMemo : public TCustomEdit {
  public:
    explicit TMemo(TComponent* AOwner);
    void Clear() { SetText({}); }

  protected:
    void CreateParams(TCreateParams& params) override;
};
