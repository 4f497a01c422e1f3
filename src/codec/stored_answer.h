#pragma once
// A reply kept whole, cut to a fixed capacity, with the time it came.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/datetime.h"

template <size_t Capacity>
class TStoredAnswer {
 public:
  void Keep(const uint8_t* payload, int length, TDateTime at) {
    const size_t kept = payload && length > 0 ? std::min<size_t>(length, Capacity) : 0;
    if (kept) std::memcpy(bytes_.data(), payload, kept);
    length_ = static_cast<uint32_t>(kept);
    time_ = at;
  }
  const uint8_t* Data() const { return bytes_.data(); }
  uint32_t Length() const { return length_; }
  TDateTime Time() const { return time_; }
  static constexpr size_t kCapacity = Capacity;

 private:
  std::array<uint8_t, Capacity> bytes_{};
  uint32_t length_ = 0;
  TDateTime time_ = 0;
};
