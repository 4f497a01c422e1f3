#pragma once
// Call-control commands from the desktop library wait in a ring until the
// polling cycle sends them as '#' requests.
#include <array>
#include <cstdint>

#include "vesta/desksrvr.h"

static_assert(sizeof(TStates) == 88);

class TCommRing {
 public:
  static constexpr int kSlots = 32;

  // Copies the record into the next slot (a 33rd unsent command overwrites
  // the first) and returns the slot used.
  int Add(const TStates& record);
  // The record in slot, or nullptr outside 0 to kSlots - 1.
  const TStates* Slot(int slot) const;
  int NextSlot() const { return next_; }

 private:
  std::array<TStates, kSlots> records_{};
  int next_ = 0;
};

// Longest payload BuildCommCommand writes: 36, two parameters, the whole data
// area of the record.
constexpr int kMaxCommCommandPayload = 3 + 80;

// The exchange request for one command record; 0 for an unknown kind.
int BuildCommCommand(const TStates& record, uint8_t* buffer);
