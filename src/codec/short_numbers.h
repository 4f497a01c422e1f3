#pragma once
// The Personal records and the short-number memory they point into, read
// block by block in the 'p' and 's' series.
#include <cstdint>

#include "codec/block_store.h"

constexpr int kPersonalRecords = 30;
constexpr int kPersonalRecordSize = 64;  // 32 big-endian 16-bit pointers
constexpr int kShortMemBlocks = 66;
constexpr int kShortMemBlockSize = 236;
// An entry may begin this many bytes before the block and reach into it.
constexpr int kShortMemEntryReach = 81;

using TPersonalTable = TBlockStore<kPersonalRecords, kPersonalRecordSize>;
using TShortMemory = TBlockStore<kShortMemBlocks, kShortMemBlockSize>;

// Pointer k (0 to 31) of a Personal record; the exchange sends it big-endian.
uint16_t PersonalPointer(const TPersonalTable& personal, int record, int k);

// Block n of the short-number memory is needed when a pointer of one of the
// first `records` Personal records (at most 30) lies within
// [236n - 81, 236n + 235]. Blocks outside 0 to 65 are never needed.
bool ShortMemBlockUsed(const TPersonalTable& personal, int records, int block);
