// Reply decoding: results, stores, cut-offs and the response-cache hook.
// Every reply is decoded from a buffer sized exactly to it, so a read past
// its length shows under AddressSanitizer.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "codec/data.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Op = int (TData::*)(int, uint8_t*, int);

class ReplyDecoderTest : public ::testing::Test {
 protected:
  ReplyDecoderTest() : data_(Hooks()) {}
  TDataHooks Hooks() {
    TDataHooks hooks;
    hooks.Now = [this] { return now_; };
    hooks.ClearCache = [this] { ++cacheClears_; };
    return hooks;
  }
  int Decode(Op op, Bytes reply) {
    return (data_.*op)(cmDecode, reply.data(), static_cast<int>(reply.size()));
  }
  static Bytes Filled(size_t size, uint8_t from = 1) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(from + i);
    return bytes;
  }
  static Bytes Join(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  }

  TDateTime now_ = 45000.5;
  int cacheClears_ = 0;
  TData data_;
};
}  // namespace

TEST_F(ReplyDecoderTest, ConfigStoresSixteenBytesAndClearsTheCacheOnlyOnChange) {
  const Bytes record = Filled(16);
  EXPECT_EQ(Decode(&TData::ConfigData, Join({0}, record)), BlockDone);
  EXPECT_EQ(cacheClears_, 1);
  EXPECT_EQ(Bytes(data_.FConfig.begin(), data_.FConfig.end()), record);
  EXPECT_EQ(Decode(&TData::ConfigData, Join({0}, record)), BlockDone);
  EXPECT_EQ(cacheClears_, 1);
  // An oversized reply stores 16 bytes and leaves FInfo alone.
  EXPECT_EQ(Decode(&TData::ConfigData, Join({0}, Filled(100, 50))), BlockDone);
  EXPECT_EQ(cacheClears_, 2);
  EXPECT_EQ(data_.FConfig[15], 65);
  EXPECT_EQ(data_.FInfo, (std::array<uint8_t, 7>{}));
}

TEST_F(ReplyDecoderTest, ConfigErrorAndEmptyRepliesStoreNothing) {
  EXPECT_EQ(Decode(&TData::ConfigData, {9, 1, 2, 3}), 9);
  EXPECT_EQ(Decode(&TData::ConfigData, {}), 0);  // no status byte: not a success
  EXPECT_EQ(data_.FConfig, (std::array<uint8_t, 16>{}));
  EXPECT_EQ(cacheClears_, 0);
  // A short reply compares and stores only the bytes it has.
  EXPECT_EQ(Decode(&TData::ConfigData, {0, 7}), BlockDone);
  EXPECT_EQ(data_.FConfig[0], 7);
  EXPECT_EQ(data_.FConfig[1], 0);
}

TEST_F(ReplyDecoderTest, InfoResultFollowsConfigBytesFourAndFive) {
  struct Case {
    uint8_t byte4, byte5;
    int result;
  };
  const Case cases[] = {{2, 0, BlockDone}, {1, 0, 130}, {3, 5, 130}, {2, 1, 131}, {2, 255, 131}};
  for (const Case& c : cases) {
    data_.FConfig[4] = c.byte4;
    data_.FConfig[5] = c.byte5;
    EXPECT_EQ(Decode(&TData::InfoData, {0, 1, 2, 3, 4, 5, 6, 7}), c.result);
  }
}

TEST_F(ReplyDecoderTest, InfoEqualToTheStoredRecordKeepsTheCacheAnyDifferenceClearsIt) {
  data_.FConfig[4] = 2;
  const Bytes reply = {0, 1, 2, 3, 4, 5, 6, 7};
  Decode(&TData::InfoData, reply);
  ASSERT_EQ(cacheClears_, 1);
  Decode(&TData::InfoData, reply);
  EXPECT_EQ(cacheClears_, 1);
  for (int i = 1; i <= 7; ++i) {
    Bytes changed = reply;
    changed[i] ^= 0x80;
    Decode(&TData::InfoData, changed);
    Decode(&TData::InfoData, reply);
  }
  EXPECT_EQ(cacheClears_, 1 + 14);
  EXPECT_EQ(Decode(&TData::InfoData, {3}), 3);
  EXPECT_EQ(Decode(&TData::InfoData, {}), 0);
  EXPECT_EQ(data_.FInfo[6], 7);
}

TEST_F(ReplyDecoderTest, PortStructTakes144BytesFromByteThree) {
  Decode(&TData::PortStructData, Join({0, 40, 0}, Filled(300)));
  EXPECT_EQ(data_.FPortStruct[0], 1);
  EXPECT_EQ(data_.FPortStruct[143], 144);
  EXPECT_EQ(data_.FPersonal.Block(0)[0], 0);  // nothing past the store
  Decode(&TData::PortStructData, {5, 40, 0, 9, 9});
  EXPECT_EQ(data_.FPortStruct[0], 1);
}

TEST_F(ReplyDecoderTest, PersonalSeriesRunsToTheRecordCount) {
  struct Case {
    uint8_t records;
    int index;
    int result;
  };
  const Case cases[] = {
      {1, 0, BlockDone},  // 0 < 0 is false
      {3, 0, BlockMore}, {3, 1, BlockMore}, {3, 2, BlockDone},
      {0, 0, BlockDone},  {200, 28, BlockMore}, {200, 29, BlockDone},  // at most 30
  };
  for (const Case& c : cases) {
    data_.FInfo[3] = c.records;
    data_.FBlockIndex = c.index;
    EXPECT_EQ(Decode(&TData::PersonalData, Join({0, 25, uint8_t(c.index)}, Filled(64))), c.result);
    EXPECT_EQ(data_.PersonalData(cmSkip, nullptr), c.result);
  }
  EXPECT_EQ(Decode(&TData::PersonalData, {4, 25, 0}), 0);
  EXPECT_EQ(Decode(&TData::PersonalData, {}), 0);
}

TEST_F(ReplyDecoderTest, PersonalStoresRecordBlockIndexOnlyInsideTheTable) {
  data_.FInfo[3] = 30;
  data_.FBlockIndex = 2;
  Decode(&TData::PersonalData, Join({0, 25, 2}, Filled(100)));  // oversized
  EXPECT_EQ(data_.FPersonal.Block(2)[0], 1);
  EXPECT_EQ(data_.FPersonal.Block(2)[63], 64);
  EXPECT_EQ(data_.FPersonal.Block(3)[0], 0);
  // Index 30 would land in the short-number memory after the table.
  data_.FBlockIndex = 30;
  Decode(&TData::PersonalData, Join({0, 25, 30}, Filled(64)));
  data_.FBlockIndex = -1;
  Decode(&TData::PersonalData, Join({0, 25, 0}, Filled(64)));
  EXPECT_EQ(data_.FShortMem.Block(0)[0], 0);
  EXPECT_EQ(data_.FPersonal.Block(0)[0], 0);
}

TEST_F(ReplyDecoderTest, ShortMemStoresUpTo236BytesAndContinuesBelowBlock66) {
  data_.FBlockIndex = 65;
  EXPECT_EQ(Decode(&TData::ShortMemData, Join({0, 24, 65}, Filled(400))), BlockMore);
  EXPECT_EQ(data_.FShortMem.Block(65)[235], 236);
  EXPECT_EQ(data_.FMailboxes.Entry(0).Number[0], 0);  // the member after the store
  data_.FBlockIndex = 4;
  EXPECT_EQ(Decode(&TData::ShortMemData, {0, 24, 4, 77}), BlockMore);
  EXPECT_EQ(data_.FShortMem.Block(4)[0], 77);
  EXPECT_EQ(data_.FShortMem.Block(4)[1], 0);
  EXPECT_EQ(Decode(&TData::ShortMemData, {0, 24}), BlockMore);  // header only: nothing stored
  EXPECT_EQ(Decode(&TData::ShortMemData, {3, 24, 4, 88}), 0);
  EXPECT_EQ(data_.FShortMem.Block(4)[0], 77);
  data_.FBlockIndex = 66;
  EXPECT_EQ(Decode(&TData::ShortMemData, Join({0, 24, 66}, Filled(236))), BlockDone);
  EXPECT_EQ(data_.ShortMemData(cmSkip, nullptr), BlockDone);
  data_.FBlockIndex = 12;
  EXPECT_EQ(data_.ShortMemData(cmSkip, nullptr), BlockMore);
}

TEST_F(ReplyDecoderTest, MailboxListCountsWholeFourByteEntriesUpTo56) {
  struct Case {
    size_t length;
    int entries;
  };
  const Case cases[] = {{11, 2}, {10, 1}, {3, 0}, {2, 0}, {1, 0}, {3 + 4 * 56, 56}, {3 + 4 * 80, 56}};
  for (const Case& c : cases) {
    Bytes reply = Join({0, 14, 0}, Bytes(c.length > 3 ? c.length - 3 : 0, 1));
    reply.resize(c.length);
    Decode(&TData::MailboxListData, reply);
    EXPECT_EQ(data_.FMailboxes.Count(), c.entries) << c.length;
  }
  Decode(&TData::MailboxListData, {0, 14, 0, 1, 2, 3, 4});
  Decode(&TData::MailboxListData, {5, 14, 0});  // refused: the list stays
  EXPECT_EQ(data_.FMailboxes.Count(), 1);
  EXPECT_STREQ(data_.FMailboxes.Entry(0).Number, "1234");
}

TEST_F(ReplyDecoderTest, AnAndSwKeepTheWholeReplyWhateverItsStatusCutToTheirStores) {
  const Bytes an = Join({7, 22, 0}, Filled(400));
  Decode(&TData::AnData, an);
  EXPECT_EQ(data_.FAnData.Length(), 256u);
  EXPECT_EQ(Bytes(data_.FAnData.Data(), data_.FAnData.Data() + 256), Bytes(an.begin(), an.begin() + 256));
  EXPECT_EQ(data_.FAnData.Time(), 45000.5);

  now_ = 45001.25;
  Decode(&TData::SwData, Filled(30));
  EXPECT_EQ(data_.FSwData.Length(), 12u);
  EXPECT_EQ(data_.FSwData.Data()[11], 12);
  EXPECT_EQ(data_.FSwData.Time(), 45001.25);
  Decode(&TData::SwData, {});
  EXPECT_EQ(data_.FSwData.Length(), 0u);
}

TEST_F(ReplyDecoderTest, ANegativeLengthOrNoBufferIsAnEmptyReply) {
  Bytes reply = {0, 1, 2, 3};
  EXPECT_EQ(data_.ConfigData(cmDecode, reply.data(), -5), 0);
  EXPECT_EQ(data_.InfoData(cmDecode, nullptr, 4), 0);
  EXPECT_EQ(data_.AnData(cmDecode, reply.data(), -1), 0);
  EXPECT_EQ(data_.FAnData.Length(), 0u);
  EXPECT_EQ(cacheClears_, 0);
}

TEST_F(ReplyDecoderTest, OtherRepliesGiveTheirStatusOrZero) {
  EXPECT_EQ(Decode(&TData::QueueData, {0, 1}), 0);
  EXPECT_EQ(Decode(&TData::QueueData, {8}), 8);
  EXPECT_EQ(Decode(&TData::ClipUdataData, {6}), 6);
  EXPECT_EQ(Decode(&TData::ClipUdataData, Join({0, 47, 0}, Filled(8))), 0);
  EXPECT_EQ(Decode(&TData::BillingData, {0, 'a'}), 0);
  EXPECT_EQ(Decode(&TData::StatusPollData, {0, 1, 0}), 0);
  EXPECT_EQ(data_.NextStatusSlot(), 0);  // decoding does not spend a slot
}
