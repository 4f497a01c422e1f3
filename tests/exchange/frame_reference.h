#pragma once
// An encoder and decoder of the line's frames written apart from the
// project's framer, with zlib's crc32(), so the tests check the exchange
// against an independent reading of the frame format.
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "simulated_exchange.h"

namespace reference {

struct Frame {
  uint8_t Number = 0;
  std::vector<uint8_t> Payload;
  bool CrcOk = false;
};

inline uint32_t ZlibCrc(const std::vector<uint8_t>& bytes) {
  return static_cast<uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

inline std::vector<uint8_t> Encode(uint8_t number, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> body{static_cast<uint8_t>((payload.size() + 1) & 0xFF),
                            static_cast<uint8_t>((payload.size() + 1) >> 8), number};
  body.insert(body.end(), payload.begin(), payload.end());
  std::vector<uint8_t> covered(body.begin() + 2, body.end());
  const uint32_t crc = ZlibCrc(covered);
  for (int i = 0; i < 4; ++i) body.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  std::vector<uint8_t> wire{0xEE, 0x23};
  for (uint8_t b : body) {
    wire.push_back(b);
    if (b == 0xEE) wire.push_back(b);
  }
  return wire;
}

// Frames found in wire bytes; bytes before a start mark are skipped into
// strays. Expects well-formed doubling (what the exchange must send).
inline std::vector<Frame> Decode(const std::vector<uint8_t>& wire,
                                 std::vector<uint8_t>* strays = nullptr) {
  std::vector<Frame> frames;
  size_t i = 0;
  auto next = [&](uint8_t& b) {
    if (i >= wire.size()) return false;
    b = wire[i++];
    if (b == 0xEE) {
      if (i >= wire.size() || wire[i] != 0xEE) return false;
      ++i;
    }
    return true;
  };
  while (i < wire.size()) {
    if (wire[i] != 0xEE || i + 1 >= wire.size() || wire[i + 1] != 0x23) {
      if (strays) strays->push_back(wire[i]);
      ++i;
      continue;
    }
    i += 2;
    uint8_t lo = 0, hi = 0;
    if (!next(lo) || !next(hi)) break;
    const size_t length = lo | hi << 8;
    std::vector<uint8_t> body;
    uint8_t b = 0;
    while (body.size() < length + 4 && next(b)) body.push_back(b);
    if (body.size() != length + 4 || length == 0) break;
    Frame frame;
    frame.Number = body[0];
    frame.Payload.assign(body.begin() + 1, body.begin() + length);
    const std::vector<uint8_t> covered(body.begin(), body.begin() + length);
    uint32_t sent = 0;
    for (int k = 0; k < 4; ++k) sent |= uint32_t(body[length + k]) << (8 * k);
    frame.CrcOk = sent == ZlibCrc(covered);
    frames.push_back(frame);
  }
  return frames;
}

// Sends one request frame and returns the frames the exchange answers with.
inline std::vector<Frame> Exchange(exchange::SimulatedExchange& ex, uint8_t number,
                                   const std::vector<uint8_t>& request) {
  ex.Receive(Encode(number, request));
  return Decode(ex.TakeOutput());
}

// The one answer payload, or an empty vector when not exactly one frame
// with a good CRC and the request's number came back.
inline std::vector<uint8_t> Ask(exchange::SimulatedExchange& ex, uint8_t number,
                                const std::vector<uint8_t>& request) {
  auto frames = Exchange(ex, number, request);
  if (frames.size() != 1 || !frames[0].CrcOk || frames[0].Number != number) return {};
  return frames[0].Payload;
}

}  // namespace reference
