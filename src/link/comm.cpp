#include "link/comm.h"

#include "platform/serial_path.h"

ECommError::ECommError(const std::string& text, int errorCode)
    : std::runtime_error(text + " (Error: " + std::to_string(errorCode) + ") "),
      text_(text),
      errorCode_(errorCode) {}

TComm::TComm(SerialOpener opener) : opener_(std::move(opener)) {}

TComm::~TComm() = default;

void TComm::SetDeviceName(const std::string& name) {
  if (Enabled()) throw ECommError(comm_error::kPortOpen, -1);
  deviceName_ = name;
}

void TComm::SetBaudRate(int baud) {
  if (baud <= 0) throw std::invalid_argument("Baud rate must be positive: " + std::to_string(baud));
  LineSettings wanted = settings_;
  wanted.BaudRate = baud;
  ApplySettings(wanted);
}

void TComm::SetDatabits(int bits) {
  if (bits < 4 || bits > 8) throw std::invalid_argument("Data bits must be 4 to 8: " + std::to_string(bits));
  LineSettings wanted = settings_;
  wanted.DataBits = bits;
  ApplySettings(wanted);
}

void TComm::SetStopbits(TStopBits stopBits) {
  LineSettings wanted = settings_;
  wanted.StopBits = stopBits;
  ApplySettings(wanted);
}

void TComm::SetParity(TParity parity) {
  LineSettings wanted = settings_;
  wanted.Parity = parity;
  ApplySettings(wanted);
}

// Keeps the old settings when the open device refuses the new ones, so the
// properties always describe the line.
void TComm::ApplySettings(const LineSettings& wanted) {
  if (device_ && !device_->Configure(wanted))
    throw ECommError(comm_error::kControlBlock, device_->SystemError());
  settings_ = wanted;
}

void TComm::Open() {
  if (Enabled()) throw ECommError(comm_error::kPortOpen, -1);
  const std::string path = SerialDevicePath(deviceName_);
  if (path.empty()) throw ECommError(comm_error::kAccessDevice, -1);
  int error = -1;
  std::unique_ptr<ISerialDevice> device = opener_ ? opener_(path, error) : nullptr;
  if (!device) throw ECommError(comm_error::kAccessDevice, error);
  if (!device->Configure(settings_)) throw ECommError(comm_error::kControlBlock, device->SystemError());
  device->OnInput = [this] { HandleInput(); };
  device_ = std::move(device);
}

void TComm::Close() {
  if (!device_) return;
  if (inputDepth_ > 0) closedInEvent_ = std::move(device_);
  else device_.reset();
}

ISerialDevice& TComm::RequireOpen() {
  if (!device_) throw ECommError(comm_error::kNotOpen, -1);
  return *device_;
}

int TComm::Write(const uint8_t* data, int count) {
  ISerialDevice& device = RequireOpen();
  if (count <= 0) return 0;
  const int n = device.Write(data, count, WriteTimeout);
  if (n == -1) return -1;
  if (n < 0) throw ECommError(comm_error::kWrite, device.SystemError());
  return n;
}

int TComm::Read(uint8_t* data, int count) {
  ISerialDevice& device = RequireOpen();
  if (count <= 0) return 0;
  const int n = device.Read(data, count);
  if (n < 0) throw ECommError(comm_error::kRead, device.SystemError());
  return n;
}

void TComm::PurgeTransmit() { RequireOpen().PurgeTransmit(); }

int TComm::InQueCount() { return RequireOpen().BytesWaiting(); }

void TComm::HandleInput() {
  struct DepthGuard {
    TComm& comm;
    explicit DepthGuard(TComm& c) : comm(c) { ++comm.inputDepth_; }
    ~DepthGuard() {
      if (--comm.inputDepth_ == 0) comm.closedInEvent_.reset();
    }
  } guard(*this);
  if (device_ && OnRxChar) OnRxChar(*this, device_->BytesWaiting());
}
