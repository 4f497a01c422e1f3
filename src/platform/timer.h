#pragma once
// TTimer: a periodic timer on the main thread. Enabling a running timer keeps
// its countdown; changing the interval of a running timer starts it anew.
#include <functional>

class TTimer {
 public:
  explicit TTimer(int interval = 1000) : interval_(interval) {}
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int interval);

  std::function<void()> OnTimer;

 private:
  void Start();
  void Stop();
  bool enabled_ = false;
  int interval_;
  int backendId_ = 0;
};
