#include "platform/qt/qt_serial.h"

#include <QTimer>

namespace {
constexpr int kHangUpRetryMs = 200;
}

QtSerialDevice::QtSerialDevice(std::unique_ptr<PosixSerialDevice> device)
    : device_(std::move(device)),
      notifier_(std::make_unique<QSocketNotifier>(device_->Fd(), QSocketNotifier::Read)) {
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    if (device_->BytesWaiting() > 0) {
      if (OnInput) OnInput();
      return;
    }
    // Readable with nothing to read: the other end of a pseudo-terminal has
    // gone. Look again a little later instead of spinning.
    notifier_->setEnabled(false);
    QTimer::singleShot(kHangUpRetryMs, notifier_.get(), [this] { notifier_->setEnabled(true); });
  });
}

QtSerialDevice::~QtSerialDevice() { notifier_->setEnabled(false); }
