// RenderPacket on arbitrary payloads: byte 0 picks direction and dump,
// byte 1 the request type, the rest is the payload.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/render_packet.h"

namespace {
// Some names longer than a 64-byte piece, some missing.
std::string Names(int number) {
  if (number % 3 == 0) return std::string(number % 200, 'n');
  if (number % 3 == 1) return "name" + std::to_string(number);
  return "";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto direction = data[0] & 1 ? TPacketDirection::Reply : TPacketDirection::Request;
  const bool dump = data[0] & 2;
  // A copy sized exactly, so any read past the payload is caught.
  const std::vector<uint8_t> payload(data + 2, data + size);
  std::string text;
  RenderPacket(direction, text, payload.data(), static_cast<int>(payload.size()), data[1], dump,
               Names);
  // Each piece holds at most 63 characters.
  if (text.size() > 63 * (2 + payload.size()) + 10) __builtin_trap();
  return 0;
}
