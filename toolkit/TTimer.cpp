#include "toolkit/TTimer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), window_([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
          if (message == WM_TIMER) {
              Raise(onTimer_, *this);
              return 0;
          }
          return ::DefWindowProcA(window_.Handle(), message, wParam, lParam);
      }) {}

TTimer::~TTimer() { ::KillTimer(window_.Handle(), kTimerId); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    ::KillTimer(window_.Handle(), kTimerId);
    if (enabled_ && interval_ != 0 && onTimer_) ::SetTimer(window_.Handle(), kTimerId, interval_, nullptr);
}
