// A periodic timer. Its ticks come as messages to a message-only window of
// its own, so the handler runs from the message loop.
#pragma once

#include <memory>

#include "Component.h"
#include "MessageWindow.h"

class TTimer : public TComponent {
  public:
    // Enabled, 1000 ms; counting starts once it has a handler.
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    // Enabling a running timer changes nothing: it is not restarted.
    void SetEnabled(bool value);
    UINT Interval() const { return FInterval; }
    // A new interval starts the count again.
    void SetInterval(UINT milliseconds);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent handler);

    // False while disabled, without a handler or with a zero interval, and
    // when the platform had no timer to give.
    bool Running() const { return FRunning; }

  private:
    void UpdateTimer();
    void Stop();

    bool FEnabled = true;
    UINT FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FRunning = false;
    std::unique_ptr<MessageWindow> FWindow;
};
