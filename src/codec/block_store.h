#pragma once
// A fixed table of equal blocks filled one reply at a time.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

template <int Blocks, int BlockSize>
class TBlockStore {
 public:
  static constexpr int kBlocks = Blocks;
  static constexpr int kBlockSize = BlockSize;

  // Copies at most one block's worth; an index outside the table, or no
  // bytes, stores nothing.
  void Store(int index, const uint8_t* bytes, int length) {
    if (index < 0 || index >= Blocks || !bytes || length <= 0) return;
    std::memcpy(Block(index), bytes, std::min(length, BlockSize));
  }
  uint8_t* Block(int index) { return bytes_.data() + index * BlockSize; }
  const uint8_t* Block(int index) const { return bytes_.data() + index * BlockSize; }
  const uint8_t* Data() const { return bytes_.data(); }

 private:
  alignas(2) std::array<uint8_t, Blocks * BlockSize> bytes_{};
};
