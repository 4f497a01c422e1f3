#pragma once
// A POSIX serial device whose input is watched by the Qt event loop.
#include <QSocketNotifier>
#include <memory>

#include "platform/posix_serial.h"

class QtSerialDevice final : public ISerialDevice {
 public:
  explicit QtSerialDevice(std::unique_ptr<PosixSerialDevice> device);
  ~QtSerialDevice() override;

  bool Configure(const LineSettings& s) override { return device_->Configure(s); }
  int Write(const uint8_t* d, int n, int t) override { return device_->Write(d, n, t); }
  int Read(uint8_t* d, int n) override { return device_->Read(d, n); }
  int BytesWaiting() override { return device_->BytesWaiting(); }
  void PurgeTransmit() override { device_->PurgeTransmit(); }
  int SystemError() const override { return device_->SystemError(); }

 private:
  std::unique_ptr<PosixSerialDevice> device_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
