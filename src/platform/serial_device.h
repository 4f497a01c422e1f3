#pragma once
// One open serial device as the backends offer it to TComm. Everything here
// is called on the main thread; OnInput is raised there too.
#include <cstdint>
#include <functional>
#include <string>

enum class TParity { None, Odd, Even, Mark, Space };
enum class TStopBits { One, OnePointFive, Two };

struct LineSettings {
  int BaudRate = 9600;
  int DataBits = 8;
  TParity Parity = TParity::None;
  TStopBits StopBits = TStopBits::One;
};

class ISerialDevice {
 public:
  virtual ~ISerialDevice() = default;
  // Applies the line settings; false with SystemError() set when refused.
  virtual bool Configure(const LineSettings& settings) = 0;
  // Writes count bytes, waiting at most timeoutMs for them to leave.
  // Returns the count written, -1 when the wait ran out, -2 on an error.
  virtual int Write(const uint8_t* data, int count, int timeoutMs) = 0;
  // Reads what is waiting, at most count bytes, without blocking.
  // Returns the count read (0 when nothing waits) or -2 on an error.
  virtual int Read(uint8_t* data, int count) = 0;
  // Bytes waiting in the input queue.
  virtual int BytesWaiting() = 0;
  // Discards what is still waiting to be transmitted.
  virtual void PurgeTransmit() = 0;
  // The system error code of the last failure (errno), or -1.
  virtual int SystemError() const = 0;

  // Raised on the main thread when input has arrived.
  std::function<void()> OnInput;
};
