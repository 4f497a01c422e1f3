#pragma once
// The production backend on Qt 6: its event loop, wall clock, timers,
// serial devices watched by socket notifiers, TCP server and tray icon.
// With widgets off (no display, or "/console") only Qt Core and Network run.
#include <map>
#include <memory>

#include "platform/backend.h"

class QCoreApplication;
class QTimer;
class QtRenderer;

class QtBackend final : public IBackend {
 public:
  // widgets: show windows and the tray icon (needs a display).
  QtBackend(int& argc, char** argv, bool widgets);
  ~QtBackend() override;

  bool Widgets() const { return widgets_; }
  // SIGTERM and SIGINT call handler on the main thread.
  void OnTerminateSignal(std::function<void()> handler);

  TDateTime Now() override;
  int StartTimer(int intervalMs, std::function<void()> onTimer) override;
  void StopTimer(int id) override;
  void Post(std::function<void()> fn) override;
  std::unique_ptr<ISerialDevice> OpenSerial(const std::string& path, int& error) override;
  std::unique_ptr<IServerListener> Listen(int port, std::string& error) override;
  std::unique_ptr<ITrayIcon> CreateTrayIcon() override;
  TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type,
                          TMsgDlgButtons buttons) override;
  void FormVisibilityChanged(TForm& form) override;
  bool CursorPos(int& x, int& y) override;
  int Run() override;
  void Quit(int exitCode) override;

 private:
  bool widgets_;
  std::unique_ptr<QCoreApplication> app_;
  std::unique_ptr<QtRenderer> renderer_;
  std::map<int, QTimer*> timers_;
  int nextTimerId_ = 1;
  std::function<void()> terminateHandler_;
  std::unique_ptr<class QSocketNotifier> signalNotifier_;
};

// True when a display is there to show windows on.
bool DisplayAvailable();
