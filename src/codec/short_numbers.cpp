#include "codec/short_numbers.h"

#include <algorithm>

uint16_t PersonalPointer(const TPersonalTable& personal, int record, int k) {
  const uint8_t* word = personal.Block(record) + 2 * k;
  return static_cast<uint16_t>(word[0] << 8 | word[1]);
}

bool ShortMemBlockUsed(const TPersonalTable& personal, int records, int block) {
  if (block < 0 || block >= kShortMemBlocks) return false;
  const int first = kShortMemBlockSize * block - kShortMemEntryReach;
  const int last = kShortMemBlockSize * block + kShortMemBlockSize - 1;
  const int count = std::clamp(records, 0, kPersonalRecords);
  for (int r = 0; r < count; ++r) {
    for (int k = 0; k < kPersonalRecordSize / 2; ++k) {
      const int pointer = PersonalPointer(personal, r, k);
      if (pointer >= first && pointer <= last) return true;
    }
  }
  return false;
}
