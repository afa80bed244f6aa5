// A main window of its own for each test, shown and active, with the user's
// number settings of English (United States), driven through real messages.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "MessageSpy.h"
#include "Unit1.h"

// Makes the thread's locale the user's settings for a while, as the program
// reads them, and puts the old ones back.
class ThreadLocaleGuard {
  public:
    explicit ThreadLocaleGuard(LCID locale);
    ~ThreadLocaleGuard();
    ThreadLocaleGuard(const ThreadLocaleGuard&) = delete;
    ThreadLocaleGuard& operator=(const ThreadLocaleGuard&) = delete;

  private:
    LCID FSaved;
};

inline constexpr LCID kEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
inline constexpr LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);

// The window's news probe goes on ticking, but reaches for the network no more:
// the news box's own tests drive it, the window's other tests leave it alone.
void LeaveTheNetworkAlone(TForm1& window);

class MainWindowFixture {
  public:
    // shown: false leaves the window as it was made, hidden.
    explicit MainWindowFixture(bool shown = true);
    ~MainWindowFixture();

    TForm1& Window() { return *FForm; }
    void Show();

    // Characters typed into a box, through the message loop.
    void Type(TWinControl& box, std::wstring_view text);
    // A click with the mouse in the middle of a control.
    void Click(TWinControl& control);
    // Replaces the entry box's text by what the user types, then clicks Calculate.
    void Calculate(std::wstring_view typed);
    // The scale box's text replaced by typed, then Enter on the keyboard.
    void ApplyScale(std::wstring_view typed);
    // Gives the window its activation back after a rescaling (see UiTesting.h).
    void RestoreActivation();

    // The window's client size as it asked for it: the size it last requested
    // of the platform, less its frame. The platform may cap the real size.
    SIZE RequestedClientSize() const;

  private:
    ThreadLocaleGuard FLocale;
    std::optional<SIZE> FRequestedSize;
    MessageSpy FSizeSpy;
    bool FSavedOnTaskbar = false;
    std::unique_ptr<TComponent> FOwner;
    TForm1* FForm = nullptr;
};

// The clipboard's CF_UNICODETEXT, up to its terminating null; nothing when it
// holds none or the terminator is missing.
std::optional<std::wstring> ClipboardText();
// Puts text on the clipboard as the user's other programs do.
void SetClipboardText(const std::wstring& text);
