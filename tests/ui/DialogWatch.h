// Modal dialogs of the test thread (message boxes, task dialogs), seen and
// closed from a timer that their own modal loop runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct SeenDialog {
    std::wstring Caption;
    std::vector<std::wstring> Texts;    // static texts
    std::vector<std::wstring> Buttons;  // push buttons
    bool Icon = false;
    HWND Owner = nullptr;
    RECT Bounds{};
    // Not closed the way asked: the watch had to end it.
    bool Forced = false;
};

enum class CloseBy { Enter, Escape, CloseBox, FirstButton };

// While it lives, every dialog that opens is recorded and closed as asked:
// Enter and Escape through the keyboard, the close box by its menu command, the
// first button with a mouse click.
// Only one watch at a time.
class DialogWatch {
  public:
    explicit DialogWatch(CloseBy closeBy = CloseBy::Enter);
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    const std::vector<SeenDialog>& Seen() const { return FSeen; }
    // Runs when a dialog is first seen, before it is closed.
    std::function<void(HWND dialog)> OnSeen;

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);
    void Handle(HWND dialog);

    CloseBy FCloseBy;
    UINT_PTR FTimer = 0;
    HWND FCurrent = nullptr;
    int FTicksOpen = 0;
    std::vector<SeenDialog> FSeen;
};
