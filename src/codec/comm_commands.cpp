#include "codec/comm_commands.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "codec/digit_codes.h"

namespace {
// The data area runs from byte 8 to the end of the record.
constexpr int kDataOffset = offsetof(TStates, Data);
constexpr int kDataArea = static_cast<int>(sizeof(TStates)) - kDataOffset;
static_assert(kMaxCommCommandPayload == 3 + kDataArea);

constexpr uint8_t kCallControl = 18, kTakeFromQueue = 34, kShortNumber = 36, kTakeFromHold = 38;

const uint8_t* DataArea(const TStates& record) {
  return reinterpret_cast<const uint8_t*>(&record) + kDataOffset;
}

int ThreeBytes(uint8_t* buffer, uint8_t a, uint8_t b, uint8_t c) {
  buffer[0] = a;
  buffer[1] = b;
  buffer[2] = c;
  return 3;
}

int Dial(const TStates& record, uint8_t* buffer) {
  buffer[0] = kCallControl;
  buffer[1] = record.Port;
  const std::string_view digits(reinterpret_cast<const char*>(DataArea(record)), 8);
  EncodeDigits(digits, 8, buffer + 2);
  return 10;
}

// Two length-prefixed fields whose length bytes count themselves. The
// lengths come from the library; copying stops at the end of the record.
int ShortNumber(const TStates& record, uint8_t* buffer) {
  const uint8_t* data = DataArea(record);
  const int first = data[0];
  const int second = first < kDataArea ? data[first] : 0;
  const int n = std::min(first + second, kDataArea);
  buffer[0] = kShortNumber;
  buffer[1] = record.Param1;
  buffer[2] = record.Param2;
  std::memcpy(buffer + 3, data, n);
  return 3 + n;
}
}  // namespace

int TCommRing::Add(const TStates& record) {
  const int slot = next_;
  records_[slot] = record;
  next_ = (next_ + 1) % kSlots;
  return slot;
}

const TStates* TCommRing::Slot(int slot) const {
  return slot >= 0 && slot < kSlots ? &records_[slot] : nullptr;
}

int BuildCommCommand(const TStates& record, uint8_t* buffer) {
  const uint8_t line = record.Port;
  switch (record.Command) {
    case 0: return ThreeBytes(buffer, kCallControl, line, 83);  // speaker on/off
    case 1: return ThreeBytes(buffer, kCallControl, line, 84);  // microphone on/off
    case 2: return ThreeBytes(buffer, kCallControl, line, 91);  // volume up
    case 3: return ThreeBytes(buffer, kCallControl, line, 92);  // volume down
    case 4: return Dial(record, buffer);
    case 5: return ThreeBytes(buffer, kTakeFromQueue, line, record.Data[0]);
    case 6: return ShortNumber(record, buffer);
    case 7: return ThreeBytes(buffer, kCallControl, line, 88);  // transfer
    case 8: return ThreeBytes(buffer, kTakeFromHold, line, record.Data[0]);
    case 9: return ThreeBytes(buffer, kCallControl, line, 87);  // park on/off
    default: return 0;
  }
}
