// The decoders feed the desktop library through a real dlopen: what arrives
// there is exactly what the contract promises, and nothing past a reply.
#include <gtest/gtest.h>

#include <vector>

#include "codec/data.h"
#include "desk/desk.h"
#include "desk/desk_codec_bridge.h"
#include "fake_desk_probe.h"

namespace {
using Bytes = std::vector<uint8_t>;

class DeskDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(desk_.Ready()) << desk_.LoadError();
    ASSERT_TRUE(probe_.Ok());
    probe_.Reset();
    data_.SetDesk(&bridge_);
  }
  // Decodes a copy sized exactly to the reply, so reading past it is caught.
  template <typename Op>
  int Decode(Op op, Bytes reply) {
    return (data_.*op)(cmDecode, reply.data(), static_cast<int>(reply.size()));
  }
  std::vector<TDeskCall> Calls() { return probe_.Calls(); }

  TDESK desk_{DESK_LIBRARY_DIR};
  FakeDeskProbe probe_{DESK_LIBRARY_DIR};
  TDeskCodecBridge bridge_{desk_};
  TData data_;
};
}  // namespace

TEST_F(DeskDecoderTest, InfoAnswerHandsTheSevenByteRecord) {
  Decode(&TData::InfoData, {0, 1, 2, 3, 4, 5, 6, 7, 99});
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Name, "PutInfo");
  EXPECT_EQ(calls[0].Bytes, (Bytes{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(DeskDecoderTest, PortStructureAnswerHandsTheWhole144Bytes) {
  Bytes reply = {0, 40, 0};
  for (int i = 0; i < 144; ++i) reply.push_back(static_cast<uint8_t>(i + 1));
  Decode(&TData::PortStructData, reply);
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Name, "PutPorts");
  EXPECT_EQ(calls[0].Bytes, Bytes(reply.begin() + 3, reply.end()));
}

TEST_F(DeskDecoderTest, MailboxListHandsFourZeroPaddedCharactersPerEntry) {
  // 1234 and 56 (the 0 code ends the second number).
  Decode(&TData::MailboxListData, {0, 14, 0, 1, 2, 3, 4, 5, 6, 0, 0});
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Name, "PutLines");
  EXPECT_EQ(calls[0].Int, 2);
  EXPECT_EQ(calls[0].Bytes, (Bytes{'1', '2', '3', '4', '5', '6', 0, 0}));
}

TEST_F(DeskDecoderTest, ClipAnswerHandsTerminatedCallerDataAndTheStoredPortStates) {
  data_.FInfo[2] = 3;  // port base
  Bytes an = {0, 22, 0, 8, 1, 2, 1, 2, 0, 0, 0};
  data_.AnData(cmDecode, an.data(), static_cast<int>(an.size()));
  // Caller data runs to the end of the reply, with no terminator of its own.
  Decode(&TData::ClipUdataData, {0, 47, 2, 9, 9, 9, 9, 9, 9, 9, 9, '5', '5', '5'});
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Name, "PutCLIP");
  EXPECT_EQ(calls[0].Int, 5);  // index 2 + port base 3
  EXPECT_EQ(calls[0].Bytes, (Bytes{'5', '5', '5'}));
  EXPECT_EQ(calls[1].Name, "PutStates");
  EXPECT_EQ(calls[1].Int, 2);
  EXPECT_EQ(calls[1].Bytes, Bytes(an.begin() + 3, an.end()));
}

// With no port state answer stored yet, (length - 3) / 4 must not turn into
// a huge count.
TEST_F(DeskDecoderTest, ClipAnswerBeforeAnyPortStatesPassesNoStates) {
  Decode(&TData::ClipUdataData, {0, 47, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Name, "PutStates");
  EXPECT_EQ(calls[1].Int, 0);
}

TEST_F(DeskDecoderTest, ShortClipOrQueueAnswersAndErrorStatusesCallNothing) {
  EXPECT_EQ(Decode(&TData::ClipUdataData, {0, 47, 2, 9, 9}), 0);
  EXPECT_EQ(Decode(&TData::ClipUdataData, {}), 0);
  EXPECT_EQ(Decode(&TData::ClipUdataData, {6, 47, 2, 9, 9, 9, 9, 9, 9, 9, 9, 1}), 6);
  EXPECT_EQ(Decode(&TData::QueueData, {}), 0);
  EXPECT_EQ(Decode(&TData::QueueData, {4, 1, 2}), 4);
  EXPECT_EQ(Decode(&TData::InfoData, {2, 1, 2, 3}), 2);
  EXPECT_EQ(Decode(&TData::PortStructData, {0, 40}), 0);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(DeskDecoderTest, QueueAnswerIsHandedZeroFilledWithThePortBase) {
  data_.FInfo[2] = 4;
  Decode(&TData::QueueData, {0, 7, 8, 9});
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Name, "PutFront");
  EXPECT_EQ(calls[0].Int, 4);
  Bytes expected(DESK_FRONT_SIZE, 0);
  expected[0] = 7, expected[1] = 8, expected[2] = 9;
  EXPECT_EQ(calls[0].Bytes, expected);
}

TEST_F(DeskDecoderTest, TheEndOfTheShortMemSeriesHandsBothStores) {
  data_.FBlockIndex = 1;
  Decode(&TData::ShortMemData, {0, 24, 1, 0xAB, 0xCD});
  data_.FBlockIndex = 0;
  Decode(&TData::PersonalData, {0, 25, 0, 0x01, 0x02});
  EXPECT_TRUE(Calls().empty());  // the series is not over yet

  data_.FBlockIndex = 66;
  EXPECT_EQ(data_.ShortMemData(cmSkip, nullptr), BlockDone);
  const auto calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Name, "PutShorts");
  ASSERT_EQ(calls[0].Bytes.size(), size_t{DESK_SHORTMEM_SIZE + 30 * 64});
  EXPECT_EQ(calls[0].Bytes[236], 0xAB);
  EXPECT_EQ(calls[0].Bytes[237], 0xCD);
  EXPECT_EQ(calls[0].Bytes[DESK_SHORTMEM_SIZE], 0x01);
  EXPECT_EQ(calls[0].Bytes[DESK_SHORTMEM_SIZE + 1], 0x02);
}

TEST_F(DeskDecoderTest, WithoutCallControlModeNothingReachesTheLibrary) {
  data_.SetDesk(nullptr);
  Decode(&TData::InfoData, {0, 1, 2, 3, 4, 5, 6, 7});
  Decode(&TData::PortStructData, {0, 40, 0, 1});
  Decode(&TData::MailboxListData, {0, 14, 0, 1, 2, 3, 4});
  Decode(&TData::ClipUdataData, {0, 47, 2, 9, 9, 9, 9, 9, 9, 9, 9, '5'});
  Decode(&TData::QueueData, {0, 7});
  data_.FBlockIndex = 66;
  data_.ShortMemData(cmSkip, nullptr);
  EXPECT_TRUE(Calls().empty());
}
