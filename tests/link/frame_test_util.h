#pragma once
// Golden frames built independently of the code under test: zlib's crc32()
// gives the checksum, the doubling is done here by hand.
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline uint32_t ZlibCrc(const Bytes& bytes) {
  return static_cast<uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

inline void PutEscaped(Bytes& wire, uint8_t b) {
  wire.push_back(b);
  if (b == 0xEE) wire.push_back(0xEE);
}

// The wire bytes of a frame; len and crc may be forced to build bad frames.
inline Bytes GoldenFrame(uint8_t number, const Bytes& payload, std::optional<uint16_t> len = {},
                         std::optional<uint32_t> crc = {}) {
  Bytes body{number};
  body.insert(body.end(), payload.begin(), payload.end());
  const uint16_t l = len.value_or(static_cast<uint16_t>(body.size()));
  const uint32_t c = crc.value_or(ZlibCrc(body));
  Bytes wire{0xEE, 0x23};
  PutEscaped(wire, static_cast<uint8_t>(l & 0xFF));
  PutEscaped(wire, static_cast<uint8_t>(l >> 8));
  for (uint8_t b : body) PutEscaped(wire, b);
  for (int shift = 0; shift < 32; shift += 8) PutEscaped(wire, static_cast<uint8_t>(c >> shift));
  return wire;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
