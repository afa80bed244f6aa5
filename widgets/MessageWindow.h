// A window of the program's own that only receives messages: the application's
// hidden window and the timers' windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Handles.h"

template <class T> class TWindowProcedure;

class MessageWindow {
  public:
    // Answers true with result set for a message it handled.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    enum class Kind {
        MessageOnly,    // gets posted and sent messages only
        HiddenTopLevel  // a hidden top-level window: also gets broadcasts
    };

    MessageWindow(Kind kind, const std::wstring& title, Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return FHandle.get(); }
    // Expires when this object dies.
    std::weak_ptr<const void> Alive() const { return FAlive; }

  private:
    friend class TWindowProcedure<MessageWindow>;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();
    LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler FHandler;
    UniqueHwnd FHandle;
    std::shared_ptr<const void> FAlive = std::make_shared<char>();
};
