#pragma once
// TCommPax: the packet link to the exchange over one serial line. Frames
// go out byte by byte (one write call each); received bytes run through the
// frame receiver, which raises OnRxPacket for every frame that passes its
// CRC and OnRxChr for every byte outside a frame.
#include <cstdint>
#include <functional>
#include <string>

#include "link/comm.h"
#include "link/mode_string.h"
#include "link/packet_frame.h"

class TCommPax : public TComm {
 public:
  // Longest port string Set takes; a longer one is refused whole, since a
  // cut string could name another rate or device.
  static constexpr size_t kMaxPortStringLength = 39;
  // Most bytes taken from the input queue per event; the rest waits.
  static constexpr int kMaxReadPerEvent = 4000;

  // Installs RxChar as the inherited OnRxChar handler; replacing that
  // handler stops the receiver.
  explicit TCommPax(SerialOpener opener);

  // Largest payload accepted on receive (frames with LEN > MaxPacketSize + 1
  // are dropped). 0 until set; values above 4092 act as 4092, the receive
  // buffer's limit.
  int MaxPacketSize = 0;
  // A frame passed the CRC test: count = LEN, data[0] = lead byte, then
  // payload. data points into the receive buffer: valid during the call only.
  std::function<void(TCommPax& sender, int count, const uint8_t* data)> OnRxPacket;
  // A byte received outside any frame (after the transmit queue was purged).
  std::function<void(TCommPax& sender, uint8_t chr)> OnRxChr;

  // Sends one frame. Raises ECommError "Write error" (the rest of the frame
  // is abandoned) or "Port not open, ..."; a byte whose write times out is
  // abandoned and the following bytes are still written.
  void WritePacket(uint8_t number, const uint8_t* data, int count);
  // One write call of chr; a second one of 0xEE when escape is set and chr is 0xEE.
  void WriteChar(uint8_t chr, bool escape);

  // Applies a port string "COM2:19200,N,8,1" (see mode_string.h for the
  // part after the first ":"). No ":" or more than 39 characters: nothing
  // changes. Otherwise the part before the ":" becomes DeviceName (raises
  // "Port already assigned (open)" while open); a rejected mode part leaves
  // the line settings as they were. Of an accepted one, the baud rate is
  // applied only when it is one of the rates below, space parity never.
  // Returns true when the mode part was accepted.
  bool Set(const std::string& settings);

  // The received-data event: reads at most kMaxReadPerEvent of the count
  // waiting bytes and feeds them to the frame receiver. Does nothing while
  // closed; stops feeding when a handler closes the port. Raises ECommError
  // "Read error" when the read fails.
  void RxChar(TComm& sender, int count);

 private:
  void ApplyMode(const ModeSettings& mode);
  void HandleStray(uint8_t b);

  FrameReceiver receiver_;
  uint8_t readBuffer_[kMaxReadPerEvent] = {};
};
