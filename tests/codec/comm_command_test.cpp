// Call-control commands: the ring of 32 and the '#' payloads.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "codec/data.h"

namespace {
using Bytes = std::vector<uint8_t>;

TStates Command(uint8_t kind, uint8_t port, Bytes data = {}) {
  TStates record{};
  record.Command = kind;
  record.Port = port;
  if (!data.empty()) std::memcpy(record.Data, data.data(), std::min(data.size(), sizeof record.Data));
  return record;
}

Bytes BuildFromRing(TData& data, const TStates& record) {
  const int slot = data.AddCommCommand(record);
  Bytes buffer(kCodecBufferSize, 0xEE);
  buffer.resize(data.CommCommandData(cmBuild, buffer.data(), slot));
  return buffer;
}
}  // namespace

TEST(CommCommand, PayloadByKind) {
  struct Case {
    uint8_t kind;
    Bytes payload;
  };
  const Case cases[] = {
      {0, {18, 5, 83}}, {1, {18, 5, 84}}, {2, {18, 5, 91}}, {3, {18, 5, 92}},
      {5, {34, 5, 9}},  {7, {18, 5, 88}}, {8, {38, 5, 9}},  {9, {18, 5, 87}},
      {10, {}},  // unknown kind: nothing to send
  };
  TData data;
  for (const Case& c : cases)
    EXPECT_EQ(BuildFromRing(data, Command(c.kind, 5, {9})), c.payload) << int(c.kind);
}

TEST(CommCommand, DialEncodesTheEightDataCharacters) {
  TData data;
  EXPECT_EQ(BuildFromRing(data, Command(4, 2, {'0', '1', '2', '3', '*', '#', 0, 0})),
            (Bytes{18, 2, 10, 1, 2, 3, 11, 12, 0, 0}));
  // Characters beyond the eighth belong to the next record.
  EXPECT_EQ(BuildFromRing(data, Command(4, 2, {'1', '2', '3', '4', '5', '6', '7', '8', '9'})),
            (Bytes{18, 2, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(CommCommand, ShortNumberCopiesTwoLengthPrefixedFields) {
  TData data;
  TStates record = Command(6, 0, {3, 'a', 'b', 2, 'c', 0xEE});
  record.Param1 = 11;
  record.Param2 = 22;
  EXPECT_EQ(BuildFromRing(data, record), (Bytes{36, 11, 22, 3, 'a', 'b', 2, 'c'}));
}

// The lengths come from the library; a copy never reaches past the record.
TEST(CommCommand, ShortNumberLengthsAreCutAtTheEndOfTheRecord) {
  TData data;
  TStates record = Command(6, 0, {79});
  reinterpret_cast<uint8_t*>(&record)[8 + 79] = 200;  // second length at the last byte
  EXPECT_EQ(BuildFromRing(data, record).size(), 3u + 80u);

  TStates beyond = Command(6, 0, {200});  // the second length would lie outside
  EXPECT_EQ(BuildFromRing(data, beyond).size(), 3u + 80u);
}

TEST(CommCommand, RingHands0To31ThenWrapsAndA33rdOverwritesTheFirst) {
  TData data;
  for (int i = 0; i < 32; ++i) EXPECT_EQ(data.AddCommCommand(Command(0, uint8_t(i))), i);
  EXPECT_EQ(data.AddCommCommand(Command(9, 77)), 0);
  Bytes buffer(kCodecBufferSize);
  ASSERT_EQ(data.CommCommandData(cmBuild, buffer.data(), 0), 3);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{18, 77, 87}));
  EXPECT_EQ(data.CommCommandData(cmBuild, buffer.data(), 1), 3);
}

TEST(CommCommand, SlotOutsideTheRingBuildsNothing) {
  TData data;
  Bytes buffer(kCodecBufferSize);
  EXPECT_EQ(data.CommCommandData(cmBuild, buffer.data(), -1), 0);
  EXPECT_EQ(data.CommCommandData(cmBuild, buffer.data(), 32), 0);
}

TEST(CommCommand, ReplyReturnsItsStatus) {
  TData data;
  Bytes ok = {0}, refused = {7, 1};
  EXPECT_EQ(data.CommCommandData(cmDecode, ok.data(), 1), 0);
  EXPECT_EQ(data.CommCommandData(cmDecode, refused.data(), 2), 7);
  EXPECT_EQ(data.CommCommandData(cmDecode, refused.data(), 0), 0);
}
