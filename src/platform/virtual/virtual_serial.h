#pragma once
// An in-memory serial line: the agent's end is an ISerialDevice, the test
// holds the other end and sees every write call the agent made.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/serial_device.h"

class VirtualSerialLine {
 public:
  struct WriteCall {
    double At;  // TDateTime of the write
    std::vector<uint8_t> Bytes;
  };

  // The agent's end; the line must outlive it.
  std::unique_ptr<ISerialDevice> OpenDevice();

  // Test side: bytes from the exchange to the agent. Raises the device's
  // OnInput through the post function the line was given.
  void DeliverToAgent(const std::vector<uint8_t>& bytes);
  // Test side: every byte the agent wrote that is still in the transmit
  // queue and not yet taken; taking empties it.
  std::vector<uint8_t> TakeTransmitted();
  const std::vector<WriteCall>& WriteCalls() const { return writeCalls_; }

  // How OnInput reaches the main thread (the virtual backend's Post).
  std::function<void(std::function<void()>)> Post;
  std::function<double()> Clock;
  LineSettings Settings;
  bool Open = false;
  bool FailWrites = false;
  int PurgeCount = 0;

 private:
  friend class VirtualSerialDevice;
  std::deque<uint8_t> toAgent_;
  std::vector<uint8_t> transmitted_;
  std::vector<WriteCall> writeCalls_;
  ISerialDevice* device_ = nullptr;
};
