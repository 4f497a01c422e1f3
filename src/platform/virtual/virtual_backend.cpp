#include "platform/virtual/virtual_backend.h"

#include <cerrno>

class VirtualTrayIcon final : public ITrayIcon {
 public:
  explicit VirtualTrayIcon(VirtualBackend& b) : b_(b) {}
  bool Add() override {
    ++b_.TrayAddCalls;
    if (!b_.TrayAvailable) return false;
    b_.TrayShown = true;
    return true;
  }
  bool Modify(int, const std::string& tip) override {
    if (!b_.TrayShown) return false;
    b_.TrayTip = tip;
    return true;
  }
  bool Remove() override {
    ++b_.TrayRemoveCalls;
    bool was = b_.TrayShown;
    b_.TrayShown = false;
    return was;
  }

 private:
  VirtualBackend& b_;
};

VirtualBackend::VirtualBackend() : StartTime(EncodeDate(2026, 12, 11) + EncodeTime(8, 0, 0, 0)) {}
VirtualBackend::~VirtualBackend() = default;

TDateTime VirtualBackend::Now() { return StartTime + static_cast<double>(nowMs_) / kMsPerDay; }

int VirtualBackend::StartTimer(int intervalMs, std::function<void()> onTimer) {
  int id = nextTimerId_++;
  timers_[id] = Timer{id, intervalMs, nowMs_ + intervalMs, std::move(onTimer)};
  return id;
}

void VirtualBackend::StopTimer(int id) { timers_.erase(id); }

void VirtualBackend::Post(std::function<void()> fn) {
  std::lock_guard<std::mutex> lock(postMutex_);
  posted_.push_back(std::move(fn));
}

void VirtualBackend::RunPending() {
  // Bounded: messages posted while running wait for the next round only if
  // they keep posting themselves forever.
  for (int round = 0; round < 100000; ++round) {
    std::function<void()> fn;
    {
      std::lock_guard<std::mutex> lock(postMutex_);
      if (posted_.empty()) return;
      fn = std::move(posted_.front());
      posted_.pop_front();
    }
    fn();
  }
}

VirtualBackend::Timer* VirtualBackend::NextDue(int64_t untilMs) {
  Timer* next = nullptr;
  for (auto& [id, t] : timers_) {
    if (t.DueMs > untilMs) continue;
    if (!next || t.DueMs < next->DueMs) next = &t;
  }
  return next;
}

void VirtualBackend::AdvanceMs(int64_t ms) {
  const int64_t until = nowMs_ + ms;
  RunPending();
  while (Timer* t = NextDue(until)) {
    nowMs_ = t->DueMs;
    t->DueMs += t->Interval > 0 ? t->Interval : 1;
    int id = t->Id;
    auto callback = t->OnTimer;  // the timer may be stopped by its own handler
    callback();
    (void)id;
    RunPending();
  }
  nowMs_ = until;
  RunPending();
}

VirtualSerialLine& VirtualBackend::SerialLine(const std::string& path) {
  auto& line = lines_[path];
  if (!line) {
    line = std::make_unique<VirtualSerialLine>();
    line->Post = [this](std::function<void()> fn) { Post(std::move(fn)); };
    line->Clock = [this] { return Now(); };
  }
  return *line;
}

std::unique_ptr<ISerialDevice> VirtualBackend::OpenSerial(const std::string& path, int& error) {
  auto it = lines_.find(path);
  if (it == lines_.end()) {
    error = ENOENT;
    return nullptr;
  }
  if (it->second->Open) {
    error = EBUSY;
    return nullptr;
  }
  return it->second->OpenDevice();
}

std::unique_ptr<IServerListener> VirtualBackend::Listen(int port, std::string& error) {
  return network_.Listen(port, error, [this](std::function<void()> fn) { Post(std::move(fn)); });
}

std::unique_ptr<ITrayIcon> VirtualBackend::CreateTrayIcon() {
  auto tray = std::make_unique<VirtualTrayIcon>(*this);
  Tray = tray.get();
  return tray;
}

TModalResult VirtualBackend::MessageBox(const std::string& text, const std::string& caption,
                                        TMsgDlgType type, TMsgDlgButtons buttons) {
  MessageBoxes.push_back({text, caption, type, buttons});
  return MessageBoxAnswer;
}

bool VirtualBackend::CursorPos(int& x, int& y) {
  x = 500;
  y = 400;
  return CursorReadable;
}

int VirtualBackend::Run() { return ExitCode; }

void VirtualBackend::Quit(int exitCode) {
  Quitting = true;
  ExitCode = exitCode;
}
