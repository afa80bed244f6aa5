#include "Timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner),
      FWindow(std::make_unique<MessageWindow>(
          MessageWindow::Kind::MessageOnly, L"",
          [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
              if (message != WM_TIMER || wParam != kTimerId)
                  return false;
              // The handler may destroy the timer: nothing of it is touched after.
              RaiseEvent(FOnTimer, this);
              result = 0;
              return true;
          })) {}

TTimer::~TTimer() { Stop(); }

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT milliseconds) {
    if (milliseconds == FInterval)
        return;
    FInterval = milliseconds;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    FOnTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    Stop();
    if (FEnabled && FInterval != 0 && FOnTimer)
        FRunning = SetTimer(FWindow->Handle(), kTimerId, FInterval, nullptr) != 0;
}

void TTimer::Stop() {
    if (FRunning)
        KillTimer(FWindow->Handle(), kTimerId);
    FRunning = false;
}
