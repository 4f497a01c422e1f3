#pragma once
// A serial device over the Linux tty layer. Works on real ports
// (/dev/ttyS*, /dev/ttyUSB*) and on pseudo-terminals alike: opened without
// becoming the controlling terminal, modem lines ignored (CLOCAL), raw mode,
// no flow control, non-blocking.
//
// Line settings on Linux:
// - any positive baud rate; rates without a Bxxx constant (14400, 56000,
//   128000, 256000, ...) are set as BOTHER through termios2;
// - 5 to 8 data bits; other counts (4 included) are refused with EINVAL;
// - parity none/odd/even/mark/space (mark and space via CMSPAR);
// - 1 or 2 stop bits; 1.5 stop bits become 2 (CSTOPB), the nearest Linux
//   offers (a UART sends 1.5 for 5-bit words with it).
#include <memory>
#include <string>

#include "platform/serial_device.h"

// The termios c_cflag bits for data bits, parity and stop bits (CSIZE,
// PARENB, PARODD, CMSPAR, CSTOPB); false when Linux cannot set the data bits.
bool LineControlFlags(const LineSettings& settings, unsigned& cflag);

class PosixSerialDevice final : public ISerialDevice {
 public:
  // Opens and puts the line into raw mode; nullptr with error (errno) set
  // when the path cannot be opened or is no terminal.
  static std::unique_ptr<PosixSerialDevice> Open(const std::string& path, int& error);
  ~PosixSerialDevice() override;
  PosixSerialDevice(const PosixSerialDevice&) = delete;
  PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

  // The descriptor to watch for input; OnInput is raised by whoever watches it.
  int Fd() const { return fd_; }

  bool Configure(const LineSettings& settings) override;
  int Write(const uint8_t* data, int count, int timeoutMs) override;
  int Read(uint8_t* data, int count) override;
  int BytesWaiting() override;
  void PurgeTransmit() override;
  int SystemError() const override { return error_; }

 private:
  explicit PosixSerialDevice(int fd) : fd_(fd) {}
  bool Fail(int error);

  int fd_ = -1;
  int error_ = -1;
};
