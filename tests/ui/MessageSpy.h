// Sees the messages sent to the windows of the test thread, before the windows
// do or once they have handled them, for as long as it lives.
#pragma once

#include <windows.h>

#include <functional>

class MessageSpy {
  public:
    using Handler = std::function<void(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;
    enum class When { BeforeTheWindow, AfterTheWindow };

    explicit MessageSpy(Handler handler, When when = When::BeforeTheWindow);
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

  private:
    Handler FHandler;
    When FWhen;
};
