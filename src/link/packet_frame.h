#pragma once
// The packet frame on the serial line, without any I/O:
//   0xEE '#' LEN(lo,hi) number payload... CRC32(lo..hi)
// LEN = payload length + 1; every byte after the '#' that equals 0xEE is sent
// twice. The CRC covers the number and the payload. Used by TCommPax and by
// the simulated exchange, so both ends frame alike.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

inline constexpr uint8_t kFrameMark = 0xEE;
inline constexpr uint8_t kFrameStart = 0x23;  // '#'
// Largest payload any frame may carry (LEN is 16 bits wide).
inline constexpr int kMaxFramePayload = 0xFFFF - 1;

// Calls writeChar(byte, escape) for every byte of the frame, in order:
// (0xEE,false), (0x23,false), then LEN low/high, number, payload bytes and the
// 4 CRC bytes, each with escape=true. The callee doubles 0xEE where escape is
// true. Throws std::invalid_argument when count is negative or exceeds
// kMaxFramePayload (its LEN would not fit); nothing is written then.
void WriteFrame(uint8_t number, const uint8_t* data, int count,
                const std::function<void(uint8_t, bool)>& writeChar);

// The bytes on the wire for that frame (0xEE doubled where escape is true).
std::vector<uint8_t> EncodeFrame(uint8_t number, const uint8_t* data, int count);

// The receive state machine, one step per byte. Works in place in one fixed
// buffer allocated with the receiver; nothing is allocated per byte or frame.
class FrameReceiver {
 public:
  enum class State : uint8_t { Hunt, MarkSeen, LenLow, LenLowMark, LenHigh, LenHighMark, Body, BodyMark };

  // Lead byte, payload and CRC of the largest frame the buffer takes.
  static constexpr int kBufferSize = 4097;
  // Largest MaxPacketSize the buffer allows; larger values act as this one.
  static constexpr int kMaxPacketSizeLimit = kBufferSize - 5;

  // Largest payload accepted: a frame whose LEN exceeds MaxPacketSize + 1 is
  // dropped when its length is complete.
  int MaxPacketSize = 0;
  // A frame passed the CRC test: count = LEN, data[0] = lead byte, then payload.
  std::function<void(int count, const uint8_t* data)> OnPacket;
  // A byte received outside any frame.
  std::function<void(uint8_t b)> OnStray;

  void Process(uint8_t b);
  State CurrentState() const { return state_; }

 private:
  void OnHunt(uint8_t b);
  void OnLenLowMark(uint8_t b);
  void OnLenHigh(uint8_t b);
  void OnLenHighMark(uint8_t b);
  void OnBody(uint8_t b);
  void OnBodyMark(uint8_t b);

  void BeginBodyOrHunt();
  bool StartPacket();
  void Store(uint8_t b);
  void CompleteIfDue();
  bool TestCRC() const;

  State state_ = State::Hunt;
  // On the heap at its exact size, so a sanitizer sees any overrun.
  std::unique_ptr<uint8_t[]> buffer_ = std::make_unique<uint8_t[]>(kBufferSize);
  uint16_t expected_ = 0;
  uint16_t received_ = 0;
  uint32_t crc_ = 0xFFFFFFFFu;
};
