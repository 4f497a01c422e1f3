#include "platform/virtual/virtual_serial.h"

class VirtualSerialDevice final : public ISerialDevice {
 public:
  explicit VirtualSerialDevice(VirtualSerialLine& line) : line_(line) {
    line_.device_ = this;
    line_.Open = true;
  }
  ~VirtualSerialDevice() override {
    line_.device_ = nullptr;
    line_.Open = false;
  }

  bool Configure(const LineSettings& settings) override {
    line_.Settings = settings;
    return true;
  }
  int Write(const uint8_t* data, int count, int) override {
    if (line_.FailWrites) return -2;
    std::vector<uint8_t> bytes(data, data + count);
    line_.transmitted_.insert(line_.transmitted_.end(), bytes.begin(), bytes.end());
    line_.writeCalls_.push_back({line_.Clock ? line_.Clock() : 0.0, std::move(bytes)});
    return count;
  }
  int Read(uint8_t* data, int count) override {
    int n = 0;
    while (n < count && !line_.toAgent_.empty()) {
      data[n++] = line_.toAgent_.front();
      line_.toAgent_.pop_front();
    }
    return n;
  }
  int BytesWaiting() override { return static_cast<int>(line_.toAgent_.size()); }
  void PurgeTransmit() override {
    // Nothing waits in memory: bytes leave at once. Counted for the tests.
    ++line_.PurgeCount;
  }
  int SystemError() const override { return line_.FailWrites ? 5 : -1; }

 private:
  VirtualSerialLine& line_;
};

std::unique_ptr<ISerialDevice> VirtualSerialLine::OpenDevice() {
  return std::make_unique<VirtualSerialDevice>(*this);
}

void VirtualSerialLine::DeliverToAgent(const std::vector<uint8_t>& bytes) {
  toAgent_.insert(toAgent_.end(), bytes.begin(), bytes.end());
  auto raise = [this] {
    if (device_ && device_->OnInput && !toAgent_.empty()) device_->OnInput();
  };
  if (Post) Post(raise);
  else raise();
}

std::vector<uint8_t> VirtualSerialLine::TakeTransmitted() {
  std::vector<uint8_t> out;
  out.swap(transmitted_);
  return out;
}
