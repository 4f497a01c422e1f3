#pragma once
// The backend of the tests: time stands still until the test advances it;
// timers, posted messages, serial bytes and socket events then happen in
// order, all on the calling thread.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/virtual/virtual_serial.h"
#include "platform/virtual/virtual_socket.h"

class VirtualTrayIcon;

class VirtualBackend final : public IBackend {
 public:
  VirtualBackend();
  ~VirtualBackend() override;

  // --- test side ---
  // Milliseconds since the virtual start.
  int64_t ElapsedMs() const { return nowMs_; }
  // Moves time forward, firing every timer that falls due, in order.
  void AdvanceMs(int64_t ms);
  // Runs the posted messages waiting now.
  void RunPending();
  // The serial line at a device path; created on first use. A path no line
  // was made for cannot be opened (ENOENT).
  VirtualSerialLine& SerialLine(const std::string& path);
  VirtualNetwork& Network() { return network_; }

  struct MessageBoxCall {
    std::string Text, Caption;
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
  };
  std::vector<MessageBoxCall> MessageBoxes;
  TModalResult MessageBoxAnswer = mrOK;
  bool TrayAvailable = true;
  int TrayAddCalls = 0;
  int TrayRemoveCalls = 0;
  std::string TrayTip;
  bool TrayShown = false;
  bool CursorReadable = true;
  // The last tray icon made; a test clicks it through its OnNotify.
  ITrayIcon* Tray = nullptr;
  bool Quitting = false;
  int ExitCode = 0;

  // --- IBackend ---
  TDateTime Now() override;
  int StartTimer(int intervalMs, std::function<void()> onTimer) override;
  void StopTimer(int id) override;
  void Post(std::function<void()> fn) override;
  std::unique_ptr<ISerialDevice> OpenSerial(const std::string& path, int& error) override;
  std::unique_ptr<IServerListener> Listen(int port, std::string& error) override;
  std::unique_ptr<ITrayIcon> CreateTrayIcon() override;
  TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type,
                          TMsgDlgButtons buttons) override;
  void FormVisibilityChanged(TForm&) override {}
  bool CursorPos(int& x, int& y) override;
  int Run() override;
  void Quit(int exitCode) override;

  // The start of virtual time as a date-time (2026-12-11 08:00:00).
  TDateTime StartTime;

 private:
  struct Timer {
    int Id;
    int Interval;
    int64_t DueMs;
    std::function<void()> OnTimer;
  };
  Timer* NextDue(int64_t untilMs);

  int64_t nowMs_ = 0;
  int nextTimerId_ = 1;
  std::map<int, Timer> timers_;
  std::mutex postMutex_;
  std::deque<std::function<void()>> posted_;
  std::map<std::string, std::unique_ptr<VirtualSerialLine>> lines_;
  VirtualNetwork network_;
};
