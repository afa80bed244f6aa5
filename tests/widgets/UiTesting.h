// Helpers of the window tests: one application object for the test program,
// message pumping, reading back fonts and pixels, and real input.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Form.h"

// A form of its own for one test, at the screen origin, owning what the test
// puts on it.
class TestForm {
  public:
    explicit TestForm(int clientWidth = 400, int clientHeight = 300, TColor color = RGB(0, 128, 0));
    TForm& Form() { return *FForm; }
    HWND Handle() const { return FForm->Handle(); }

    template <class T>
    T* Add(int left, int top, int width, int height) {
        T* control = MakeOwned<T>(FForm);
        control->SetBounds(left, top, width, height);
        control->SetParent(FForm);
        return control;
    }
    // Shows and activates the form and waits until it is drawn.
    void Show();

  private:
    std::unique_ptr<TComponent> FOwner;
    TForm* FForm;
};

// Handles the waiting messages.
void PumpMessages();
// Pumps messages until condition holds or about five seconds have passed.
bool PumpUntil(const std::function<bool()>& condition);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT BoundsInParent(HWND window);

// The main window's placement: its frame at the screen origin, its client
// area 600 x 1125.
void ExpectAtOriginWithLayoutClientSize(HWND window);

// The font a window was given with WM_SETFONT.
LOGFONTW FontOf(HWND window);
// Metrics and text extent of a font as it comes out on the screen.
TEXTMETRICW MetricsOf(const LOGFONTW& font);
SIZE TextExtentOf(const LOGFONTW& font, std::wstring_view text);
// A font described the way the program describes them.
LOGFONTW MakeLogFont(const wchar_t* name, int characterHeight, BYTE charset = DEFAULT_CHARSET,
                     LONG weight = FW_NORMAL);

// Colour of a pixel in a window's client area, read from what is on screen.
COLORREF PixelAt(HWND window, int x, int y);
// The pixels of an area (client coordinates), rows top-down.
std::vector<COLORREF> CapturePixels(HWND window, const RECT& area);
// Whether any pixel of the area (client coordinates) has exactly this colour.
bool AreaHasColor(HWND window, const RECT& area, COLORREF color);

// Real key strokes and clicks through the system's input queue.
void PressKey(WORD key, bool withShift = false);
// Keys pressed down in order and let go in the reverse order (VK_CONTROL, VK_RETURN).
void PressChord(const std::vector<WORD>& keys);
void MoveMouseTo(POINT screenPoint);
// MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP and so on, where the pointer is.
void MouseButtonEvent(DWORD flags);
void ClickAt(POINT screenPoint);
// A point of a window's client area in screen coordinates.
POINT ScreenPoint(HWND window, int x, int y);

// Under Wine on an X display without a window manager, a window that was hidden
// and shown again (as rescaling does) loses the display's input focus a moment
// later, which deactivates it; Windows keeps such a window active. Gives the
// window its activation back, as the user's next click would.
void RestoreActivation(HWND window);
