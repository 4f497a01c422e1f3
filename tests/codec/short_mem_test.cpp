// Which ShortMem blocks the Personal pointers need.
#include <gtest/gtest.h>

#include "codec/data.h"

namespace {
void SetPointer(TData& data, int record, int k, uint16_t value) {
  uint8_t* word = data.FPersonal.Block(record) + 2 * k;
  word[0] = static_cast<uint8_t>(value >> 8);  // big-endian
  word[1] = static_cast<uint8_t>(value);
}
}  // namespace

TEST(ShortMemUsed, APointerNeedsTheBlocksFrom81BytesBeforeToTheBlockEnd) {
  struct Case {
    uint16_t pointer;
    int block;
    bool used;
  };
  const Case cases[] = {
      {0, 0, true},          {235, 0, true},       {236, 0, false},
      {236 - 81, 1, true},   {236 - 82, 1, false}, {2 * 236 - 1, 1, true},
      {2 * 236, 1, false},   {10 * 236 - 81, 10, true},
      {65 * 236 + 235, 65, true},
  };
  for (const Case& c : cases) {
    TData data;
    data.FInfo[3] = 1;
    // The other 31 pointers point far away: 0xFFFF is beyond every block.
    for (int k = 0; k < 32; ++k) SetPointer(data, 0, k, 0xFFFF);
    SetPointer(data, 0, 31, c.pointer);
    EXPECT_EQ(data.ShortMemUsed(c.block), c.used) << c.pointer << " in block " << c.block;
  }
}

TEST(ShortMemUsed, OnlyTheFirstPersonalCountRecordsCountAndAtMost30) {
  TData data;
  for (int r = 0; r < 30; ++r)
    for (int k = 0; k < 32; ++k) SetPointer(data, r, k, 0xFFFF);
  SetPointer(data, 2, 0, 500);  // block 2
  data.FInfo[3] = 2;
  EXPECT_FALSE(data.ShortMemUsed(2));
  data.FInfo[3] = 3;
  EXPECT_TRUE(data.ShortMemUsed(2));
  SetPointer(data, 29, 5, 5000);  // block 21
  data.FInfo[3] = 200;            // treated as 30
  EXPECT_EQ(data.PersonalCount(), 30);
  EXPECT_TRUE(data.ShortMemUsed(21));
}

TEST(ShortMemUsed, NoPersonalRecordsNeedNoBlock) {
  TData data;  // all pointers 0, but FInfo byte 3 is 0
  for (int block = -1; block <= 66; ++block) EXPECT_FALSE(data.ShortMemUsed(block));
}
