#pragma once
// The narrow interface between the system and the machine it runs on. The
// Qt backend implements it for real; the virtual backend in memory, with a
// clock and timers that move only when a test says so.
#include <functional>
#include <memory>
#include <string>

#include "platform/datetime.h"
#include "platform/serial_device.h"
#include "platform/socket.h"

class TForm;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgButtons { mbOK, mbYesNo, mbOKCancel };
enum TModalResult { mrNone = 0, mrOK = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Mouse events the tray icon reports, as the window messages name them.
constexpr int WM_LBUTTONDBLCLK = 0x0203;
constexpr int WM_RBUTTONUP = 0x0205;

// The notification-area icon of the main form.
class ITrayIcon {
 public:
  virtual ~ITrayIcon() = default;
  // False while no notification area is available.
  virtual bool Add() = 0;
  virtual bool Modify(int iconIndex, const std::string& tip) = 0;
  virtual bool Remove() = 0;
  // Raised with the mouse event (WM_LBUTTONDBLCLK, WM_RBUTTONUP).
  std::function<void(int mouseEvent)> OnNotify;
};

class IBackend {
 public:
  virtual ~IBackend() = default;

  virtual TDateTime Now() = 0;
  // Periodic timer; returns its id. The first call comes intervalMs from now.
  virtual int StartTimer(int intervalMs, std::function<void()> onTimer) = 0;
  virtual void StopTimer(int id) = 0;
  // Thread-safe: runs fn on the main thread, in posting order.
  virtual void Post(std::function<void()> fn) = 0;

  // Opens a serial device by its system path; nullptr with error set
  // (errno) when it cannot be opened.
  virtual std::unique_ptr<ISerialDevice> OpenSerial(const std::string& path, int& error) = 0;
  // Listens on the TCP port; nullptr with error set when it cannot.
  virtual std::unique_ptr<IServerListener> Listen(int port, std::string& error) = 0;

  virtual std::unique_ptr<ITrayIcon> CreateTrayIcon() = 0;
  // Shows a message box and waits for the answer, running the loop meanwhile.
  virtual TModalResult MessageBox(const std::string& text, const std::string& caption,
                                  TMsgDlgType type, TMsgDlgButtons buttons) = 0;
  // A form became visible or hidden, or its contents changed.
  virtual void FormVisibilityChanged(TForm& form) = 0;
  // Asks where the mouse cursor is; false when it cannot be read.
  virtual bool CursorPos(int& x, int& y) = 0;

  // Runs the message loop until Quit.
  virtual int Run() = 0;
  virtual void Quit(int exitCode) = 0;
};
