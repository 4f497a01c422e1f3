#include "link/packet_frame.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "link/crc32.h"

void WriteFrame(uint8_t number, const uint8_t* data, int count,
                const std::function<void(uint8_t, bool)>& writeChar) {
  if (count < 0 || count > kMaxFramePayload)
    throw std::invalid_argument("Packet payload of " + std::to_string(count) +
                                " bytes cannot be framed");
  const auto len = static_cast<uint16_t>(count + 1);
  writeChar(kFrameMark, false);
  writeChar(kFrameStart, false);
  writeChar(static_cast<uint8_t>(len & 0xFF), true);
  writeChar(static_cast<uint8_t>(len >> 8), true);
  uint32_t crc = Update_CRC32(0xFFFFFFFFu, number);
  writeChar(number, true);
  for (int i = 0; i < count; ++i) {
    crc = Update_CRC32(crc, data[i]);
    writeChar(data[i], true);
  }
  crc ^= 0xFFFFFFFFu;
  for (int shift = 0; shift < 32; shift += 8) writeChar(static_cast<uint8_t>(crc >> shift), true);
}

std::vector<uint8_t> EncodeFrame(uint8_t number, const uint8_t* data, int count) {
  std::vector<uint8_t> wire;
  WriteFrame(number, data, count, [&wire](uint8_t b, bool escape) {
    wire.push_back(b);
    if (escape && b == kFrameMark) wire.push_back(kFrameMark);
  });
  return wire;
}

void FrameReceiver::Process(uint8_t b) {
  switch (state_) {
    case State::Hunt: OnHunt(b); break;
    case State::MarkSeen:
      if (b == kFrameStart) state_ = State::LenLow;
      else if (b != kFrameMark) state_ = State::Hunt;  // b is dropped
      break;
    case State::LenLow:
      expected_ = b;
      state_ = b == kFrameMark ? State::LenLowMark : State::LenHigh;
      break;
    case State::LenLowMark: OnLenLowMark(b); break;
    case State::LenHigh: OnLenHigh(b); break;
    case State::LenHighMark: OnLenHighMark(b); break;
    case State::Body: OnBody(b); break;
    case State::BodyMark: OnBodyMark(b); break;
  }
}

void FrameReceiver::OnHunt(uint8_t b) {
  if (b == kFrameMark) {
    state_ = State::MarkSeen;
  } else if (OnStray) {
    OnStray(b);
  }
}

// After a single 0xEE inside the frame: a second 0xEE was the doubled byte,
// '#' starts a new frame, anything else abandons this one.
void FrameReceiver::OnLenLowMark(uint8_t b) {
  if (b == kFrameMark) state_ = State::LenHigh;
  else state_ = b == kFrameStart ? State::LenLow : State::Hunt;
}

void FrameReceiver::OnLenHigh(uint8_t b) {
  expected_ = static_cast<uint16_t>(expected_ | (b << 8));
  if (b == kFrameMark) state_ = State::LenHighMark;
  else BeginBodyOrHunt();
}

void FrameReceiver::OnLenHighMark(uint8_t b) {
  if (b == kFrameMark) BeginBodyOrHunt();
  else state_ = b == kFrameStart ? State::LenLow : State::Hunt;
}

void FrameReceiver::OnBody(uint8_t b) {
  Store(b);
  if (b == kFrameMark) state_ = State::BodyMark;
  else CompleteIfDue();
}

void FrameReceiver::OnBodyMark(uint8_t b) {
  if (b == kFrameMark) {
    state_ = State::Body;  // the double is discarded
    CompleteIfDue();
  } else {
    state_ = b == kFrameStart ? State::LenLow : State::Hunt;
  }
}

void FrameReceiver::BeginBodyOrHunt() { state_ = StartPacket() ? State::Body : State::Hunt; }

bool FrameReceiver::StartPacket() {
  // The buffer bounds the accepted length whatever MaxPacketSize says.
  const int maxPayload = std::min(MaxPacketSize, kMaxPacketSizeLimit);
  if (expected_ > maxPayload + 1) return false;
  crc_ = 0xFFFFFFFFu;
  received_ = 0;
  return true;
}

void FrameReceiver::Store(uint8_t b) {
  buffer_[received_] = b;
  ++received_;
  if (received_ <= expected_) crc_ = Update_CRC32(crc_, b);
}

void FrameReceiver::CompleteIfDue() {
  if (received_ != expected_ + 4) return;
  state_ = State::Hunt;
  if (TestCRC() && OnPacket) OnPacket(expected_, buffer_.get());
}

bool FrameReceiver::TestCRC() const {
  const uint8_t* p = buffer_.get() + expected_;
  const uint32_t sent = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                        static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  return (crc_ ^ 0xFFFFFFFFu) == sent;
}
