#pragma once
// TComm: the serial-port component the packet link builds on. It owns one
// open ISerialDevice, keeps the line settings (applied at Open and, while
// open, at once when changed) and raises OnRxChar on the main thread when
// input arrives.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/serial_device.h"

// How TComm obtains a device for a system path: the backend's OpenSerial in
// production, a VirtualSerialLine's device in tests. nullptr with error set
// (errno) when it cannot be opened.
using SerialOpener = std::function<std::unique_ptr<ISerialDevice>(const std::string& path, int& error)>;

// A serial-port failure. what() is the text followed by " (Error: %d) " with
// the system error code, -1 where there is none.
class ECommError : public std::runtime_error {
 public:
  ECommError(const std::string& text, int errorCode);
  const std::string& Text() const { return text_; }
  int ErrorCode() const { return errorCode_; }

 private:
  std::string text_;
  int errorCode_;
};

// The error texts of the component.
namespace comm_error {
inline constexpr const char* kPortOpen = "Port already assigned (open)";
inline constexpr const char* kAccessDevice = "Error accessing specified device";
inline constexpr const char* kInvalidHandle = "Invalid device handle, access denied";
inline constexpr const char* kBuffers = "Error initializing Read/Write Buffers";
inline constexpr const char* kTimeouts = "Error updating CommTimeouts";
inline constexpr const char* kControlBlock = "Error updating DataControlBlock";
inline constexpr const char* kWrite = "Write error";
inline constexpr const char* kRead = "Read error";
inline constexpr const char* kEscape = "EscapeCommFunction failure";
inline constexpr const char* kNotOpen = "Port not open, unable to complete operation";
}  // namespace comm_error

// The names the settings use for stop bits and parity.
inline constexpr TStopBits sb10 = TStopBits::One;
inline constexpr TStopBits sb15 = TStopBits::OnePointFive;
inline constexpr TStopBits sb20 = TStopBits::Two;
inline constexpr TParity paNone = TParity::None;
inline constexpr TParity paOdd = TParity::Odd;
inline constexpr TParity paEven = TParity::Even;
inline constexpr TParity paMark = TParity::Mark;
inline constexpr TParity paSpace = TParity::Space;

class TComm {
 public:
  explicit TComm(SerialOpener opener);
  virtual ~TComm();
  TComm(const TComm&) = delete;
  TComm& operator=(const TComm&) = delete;

  // "COM2", "com2" or a device path; raises kPortOpen while the port is open.
  const std::string& DeviceName() const { return deviceName_; }
  void SetDeviceName(const std::string& name);

  // Line settings. While the port is open a change is applied at once; when
  // the device refuses it the old value stays and kControlBlock is raised.
  // Out-of-range values (baud <= 0, data bits outside 4..8) throw
  // std::invalid_argument.
  int BaudRate() const { return settings_.BaudRate; }
  void SetBaudRate(int baud);
  int Databits() const { return settings_.DataBits; }
  void SetDatabits(int bits);
  TStopBits Stopbits() const { return settings_.StopBits; }
  void SetStopbits(TStopBits stopBits);
  TParity Parity() const { return settings_.Parity; }
  void SetParity(TParity parity);

  int ReadTimeout = 1000;   // ms; reads never wait on the supported devices
  int WriteTimeout = 1000;  // ms a write may wait for the line

  // Opens DeviceName and applies the line settings. Raises kPortOpen when
  // already open, kAccessDevice when the name is unknown or the device cannot
  // be opened, kControlBlock when the device refuses the line settings.
  void Open();
  // Closes the device; harmless when closed. Safe inside OnRxChar.
  void Close();
  bool Enabled() const { return device_ != nullptr; }

  // Writes count bytes; the count written, or -1 when WriteTimeout ran out.
  // Raises kWrite on a device error, kNotOpen when closed.
  int Write(const uint8_t* data, int count);
  // Reads up to count waiting bytes without waiting; the count read. Raises
  // kRead on a device error, kNotOpen when closed.
  int Read(uint8_t* data, int count);
  // Discards what still waits to be transmitted. Raises kNotOpen when closed.
  void PurgeTransmit();
  // Bytes waiting in the input queue. Raises kNotOpen when closed.
  int InQueCount();

  // Input arrived; count = bytes waiting. Raised on the main thread.
  std::function<void(TComm& sender, int count)> OnRxChar;

 private:
  void HandleInput();
  void ApplySettings(const LineSettings& wanted);
  ISerialDevice& RequireOpen();

  SerialOpener opener_;
  std::string deviceName_;
  LineSettings settings_;
  std::unique_ptr<ISerialDevice> device_;
  // A device closed from inside its own input event lives until TComm's part
  // of the event is over; its caller must not touch it after OnInput returns.
  std::unique_ptr<ISerialDevice> closedInEvent_;
  int inputDepth_ = 0;
};
