#include "platform/timer.h"

#include "platform/application.h"

TTimer::~TTimer() { Stop(); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) Start();
  else Stop();
}

void TTimer::SetInterval(int interval) {
  if (interval == interval_) return;
  interval_ = interval;
  if (enabled_) {
    Stop();
    Start();
  }
}

void TTimer::Start() {
  // A timer with a zero interval or no handler does not run, as in the
  // class library the system was written for.
  if (interval_ <= 0 || !Application) return;
  backendId_ = Application->Backend().StartTimer(interval_, [this] {
    if (enabled_ && OnTimer) OnTimer();
  });
}

void TTimer::Stop() {
  if (backendId_ != 0 && Application) Application->Backend().StopTimer(backendId_);
  backendId_ = 0;
}
