// Request payloads built for each letter.
#include <gtest/gtest.h>

#include <vector>

#include "codec/data.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Op = int (TData::*)(int, uint8_t*, int);

Bytes Build(TData& data, Op op, int parameter = 0) {
  Bytes buffer(kCodecBufferSize, 0xEE);
  const int length = (data.*op)(cmBuild, buffer.data(), parameter);
  buffer.resize(length);
  return buffer;
}
}  // namespace

TEST(RequestPayload, FixedRequestsByLetter) {
  struct Case {
    const char* letter;
    Op op;
    Bytes payload;
  };
  const Case cases[] = {
      {"A", &TData::AnData, {0, 22, 0}},       {"C", &TData::ConfigData, {13}},
      {"F", &TData::QueueData, {33}},          {"I", &TData::InfoData, {2}},
      {"V", &TData::MailboxListData, {0, 14, 0}}, {"X", &TData::SwData, {14}},
      {"x", &TData::PortStructData, {0, 40, 0}},  {"U", &TData::BillingData, {4}},
  };
  TData data;
  for (const Case& c : cases) EXPECT_EQ(Build(data, c.op), c.payload) << c.letter;
}

TEST(RequestPayload, BillingAsksAgainWithFiveAfterAFailedAppend) {
  TData data;
  data.BillingWriteFailed = true;
  EXPECT_EQ(Build(data, &TData::BillingData), Bytes{5});
  data.BillingWriteFailed = false;
  EXPECT_EQ(Build(data, &TData::BillingData), Bytes{4});
}

TEST(RequestPayload, FiveStatusPollsReadSlotsZeroToThreeThenZero) {
  TData data;
  for (uint8_t slot : {0, 1, 2, 3, 0}) EXPECT_EQ(Build(data, &TData::StatusPollData), (Bytes{0, 1, slot}));
}

TEST(RequestPayload, ClipRequestSubtractsThePortBase) {
  TData data;
  data.FInfo[2] = 3;
  EXPECT_EQ(Build(data, &TData::ClipUdataData, 5), (Bytes{0, 47, 2}));
  EXPECT_EQ(Build(data, &TData::ClipUdataData, 1), (Bytes{0, 47, 254}));  // one byte
}

TEST(RequestPayload, PersonalAsksForBlockIndex) {
  TData data;
  data.FBlockIndex = 7;
  EXPECT_EQ(Build(data, &TData::PersonalData), (Bytes{0, 25, 7}));
}

TEST(RequestPayload, ShortMemAsksOnlyForNeededBlocksAndNeverPastBlock65) {
  TData data;
  EXPECT_EQ(Build(data, &TData::ShortMemData), Bytes{});  // no Personal records: none needed
  data.FInfo[3] = 1;
  uint8_t* record = data.FPersonal.Block(0);
  record[0] = 0x01, record[1] = 0x00;  // pointer 256 lies in block 1
  data.FBlockIndex = 1;
  EXPECT_EQ(Build(data, &TData::ShortMemData), (Bytes{0, 24, 1}));
  data.FBlockIndex = 3;
  EXPECT_EQ(Build(data, &TData::ShortMemData), Bytes{});
  // Pointer 15600 would fall in "block 66", which does not exist.
  record[0] = 15600 >> 8, record[1] = 15600 & 0xFF;
  data.FBlockIndex = 66;
  EXPECT_EQ(Build(data, &TData::ShortMemData), Bytes{});
}

TEST(RequestPayload, MailboxCountsCarryFourCountersPerEntryInListOrder) {
  TData data;
  Bytes buffer(kCodecBufferSize);
  EXPECT_EQ(data.MailboxCountsData(buffer.data()), 3);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{1, 17, 0}));

  Bytes list = {0, 14, 0, 1, 0, 0, 0, 2, 0, 0, 0};
  data.MailboxListData(cmDecode, list.data(), static_cast<int>(list.size()));
  data.SetMailboxCounts("2", 1, 2, 3, 4);
  ASSERT_EQ(data.MailboxCountsData(buffer.data()), 11);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 11), (Bytes{1, 17, 0, 0, 0, 0, 0, 1, 3, 2, 4}));
}

TEST(RequestPayload, FullMailboxTableFitsIn227Bytes) {
  TData data;
  Bytes list = {0, 14, 0};
  for (int i = 0; i < 70; ++i) list.insert(list.end(), {1, 2, 3, 4});
  data.MailboxListData(cmDecode, list.data(), static_cast<int>(list.size()));
  Bytes buffer(kCodecBufferSize);
  EXPECT_EQ(data.MailboxCountsData(buffer.data()), 227);
}

TEST(RequestPayload, StructureOneWriteEmptiesTheSlot) {
  TData data;
  Bytes buffer(kCodecBufferSize, 0xEE);
  ASSERT_EQ(data.BuildStructureOneWrite(buffer.data(), 2), 254);
  Bytes expected(254, 0);
  expected[0] = 1, expected[1] = 1, expected[2] = 2;
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 254), expected);
  EXPECT_EQ(buffer[254], 0xEE);
}

TEST(RequestPayload, NoBufferBuildsNothing) {
  TData data;
  EXPECT_EQ(data.AnData(cmBuild, nullptr), 0);
  EXPECT_EQ(data.StatusPollData(cmBuild, nullptr), 0);
  EXPECT_EQ(data.NextStatusSlot(), 0);  // the slot is not spent
  EXPECT_EQ(data.MailboxCountsData(nullptr), 0);
}

TEST(NoteStructureWrite, RestartsTimerShortsOnlyForWritesOf13_18_24InCallControlMode) {
  struct FakeDesk : IDeskCalls {
    void PutLines(int, const char*) override {}
    void PutInfo(const uint8_t*) override {}
    void PutPorts(const uint8_t*) override {}
    void PutStates(int, const uint8_t*) override {}
    void PutCLIP(int, const char*) override {}
    void PutFront(int, const uint8_t*) override {}
    void PutShorts(const uint8_t*, const uint8_t*) override {}
  } desk;
  int restarts = 0;
  TDataHooks hooks;
  hooks.RestartTimerShorts = [&] { ++restarts; };
  TData data(hooks);
  struct Case {
    Bytes payload;
    bool deskMode;
    int restarts;
  };
  const Case cases[] = {
      {{1, 13, 0}, true, 1}, {{1, 18, 0, 5}, true, 1}, {{1, 24, 3}, true, 1},
      {{1, 24}, true, 1},    {{1, 25, 0}, true, 0},    {{0, 24, 0}, true, 0},
      {{1}, true, 0},        {{}, true, 0},            {{1, 13, 0}, false, 0},
  };
  for (const Case& c : cases) {
    restarts = 0;
    data.SetDesk(c.deskMode ? &desk : nullptr);
    data.NoteStructureWrite(c.payload.data(), static_cast<int>(c.payload.size()));
    EXPECT_EQ(restarts, c.restarts) << testing::PrintToString(c.payload);
  }
}
