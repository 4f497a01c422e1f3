#include "platform/qt/qt_backend.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QMessageBox>
#include <QTimer>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix_serial.h"
#include "platform/qt/qt_renderer.h"
#include "platform/qt/qt_serial.h"
#include "platform/qt/qt_socket.h"
#include "platform/qt/qt_tray.h"

namespace {
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  char c = 1;
  // Nothing else is safe in a signal handler; the loop reads the pipe.
  [[maybe_unused]] auto n = write(signalPipe[1], &c, 1);
}
}  // namespace

void QtBackend::OnTerminateSignal(std::function<void()> handler) {
  terminateHandler_ = std::move(handler);
  if (signalNotifier_) return;
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  signalNotifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, [this] {
    char buf[16];
    while (read(signalPipe[0], buf, sizeof buf) > 0) {
    }
    if (terminateHandler_) terminateHandler_();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
}

bool DisplayAvailable() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

QtBackend::QtBackend(int& argc, char** argv, bool widgets) : widgets_(widgets) {
  if (widgets_) {
    auto* app = new QApplication(argc, argv);
    app->setQuitOnLastWindowClosed(false);
    app_.reset(app);
    renderer_ = std::make_unique<QtRenderer>();
  } else {
    app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
}

QtBackend::~QtBackend() {
  // Posted functions may own objects whose destructors talk to Qt: run them
  // while the application still exists.
  QCoreApplication::sendPostedEvents();
  signalNotifier_.reset();
  for (auto& [id, timer] : timers_) delete timer;
  renderer_.reset();
}

TDateTime QtBackend::Now() {
  QDateTime now = QDateTime::currentDateTime();
  QDate d = now.date();
  QTime t = now.time();
  return EncodeDate(d.year(), d.month(), d.day()) +
         EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

int QtBackend::StartTimer(int intervalMs, std::function<void()> onTimer) {
  int id = nextTimerId_++;
  auto* timer = new QTimer();
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(intervalMs);
  QObject::connect(timer, &QTimer::timeout, [fn = std::move(onTimer)] { fn(); });
  timer->start();
  timers_[id] = timer;
  return id;
}

void QtBackend::StopTimer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  // The timer may be stopped from its own timeout handler.
  it->second->deleteLater();
  timers_.erase(it);
}

void QtBackend::Post(std::function<void()> fn) {
  QMetaObject::invokeMethod(app_.get(), std::move(fn), Qt::QueuedConnection);
}

std::unique_ptr<ISerialDevice> QtBackend::OpenSerial(const std::string& path, int& error) {
  auto device = PosixSerialDevice::Open(path, error);
  if (!device) return nullptr;
  return std::make_unique<QtSerialDevice>(std::move(device));
}

std::unique_ptr<IServerListener> QtBackend::Listen(int port, std::string& error) {
  return QtListener::Listen(port, error);
}

std::unique_ptr<ITrayIcon> QtBackend::CreateTrayIcon() {
  return std::make_unique<QtTrayIcon>(widgets_);
}

TModalResult QtBackend::MessageBox(const std::string& text, const std::string& caption,
                                   TMsgDlgType type, TMsgDlgButtons buttons) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  box.setIcon(type == mtWarning         ? QMessageBox::Warning
              : type == mtError         ? QMessageBox::Critical
              : type == mtConfirmation  ? QMessageBox::Question
                                        : QMessageBox::Information);
  if (buttons == mbYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else if (buttons == mbOKCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Cancel: return mrCancel;
    default: return mrOK;
  }
}

void QtBackend::FormVisibilityChanged(TForm& form) {
  if (renderer_) renderer_->FormVisibilityChanged(form);
}

bool QtBackend::CursorPos(int& x, int& y) {
  if (!widgets_) return false;
  QPoint p = QCursor::pos();
  x = p.x();
  y = p.y();
  return true;
}

int QtBackend::Run() { return app_->exec(); }

void QtBackend::Quit(int exitCode) { app_->exit(exitCode); }
