// The agent's own codec builds the requests and decodes the answers: what
// the exchange says must read the way the agent's cycle expects.
#include <gtest/gtest.h>

#include "codec/data.h"
#include "frame_reference.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using exchange::SimulatedExchange;
using Operation = int (TData::*)(int, uint8_t*, int);

class AgentCodecAgainstExchange : public ::testing::Test {
 protected:
  AgentCodecAgainstExchange() : ex(Quiet()) {}
  static exchange::Scenario Quiet() {
    exchange::Scenario s = exchange::DefaultScenario();
    s.Traffic.Enabled = false;
    return s;
  }

  // Sends the payload, returns the answer payload (empty when none came).
  std::vector<uint8_t> Send(const uint8_t* payload, int length) {
    return reference::Ask(ex, ++number, std::vector<uint8_t>(payload, payload + length));
  }

  // One request built by op, answered by the exchange, decoded by op;
  // -1 when op built nothing or no answer came.
  int Round(Operation op, int parameter = 0) {
    uint8_t buffer[kCodecBufferSize] = {};
    const int length = (data.*op)(cmBuild, buffer, parameter);
    if (length <= 0) return -1;
    auto answer = Send(buffer, length);
    if (answer.empty()) return -1;
    lastAnswer = answer;
    return (data.*op)(cmDecode, answer.data(), static_cast<int>(answer.size()));
  }

  SimulatedExchange ex;
  TData data;
  uint8_t number = 0;
  std::vector<uint8_t> lastAnswer;
};

TEST_F(AgentCodecAgainstExchange, InitialRequestsLetTheCycleGoOn) {
  EXPECT_EQ(Round(&TData::ConfigData), BlockDone);
  EXPECT_EQ(Round(&TData::InfoData), BlockDone);   // neither 130 nor 131
  EXPECT_EQ(data.PersonalCount(), 3);
  EXPECT_EQ(data.PortBase(), 0);
  Round(&TData::PortStructData);
  EXPECT_EQ(data.FPortStruct[0], 16);
  EXPECT_EQ(Round(&TData::MailboxListData), 0);
  EXPECT_GT(lastAnswer.size(), 3u);   // more than three bytes: the agent starts its timers
  EXPECT_EQ(data.FindMailbox("201"), 0);
  EXPECT_EQ(data.FindMailbox("204"), 3);
  EXPECT_EQ(data.FindMailbox("205"), 255);
}

TEST_F(AgentCodecAgainstExchange, PersonalAndShortMemSeriesRunToTheirEnd) {
  Round(&TData::InfoData);
  data.FBlockIndex = 0;
  int personal = 0;
  for (int guard = 0; guard < 40; ++guard) {
    ++personal;
    if (Round(&TData::PersonalData) != BlockMore) break;
    ++data.FBlockIndex;
  }
  EXPECT_EQ(personal, 3);

  data.FBlockIndex = 0;
  int sent = 0, result = 0;
  for (int guard = 0; guard < 80; ++guard) {
    result = Round(&TData::ShortMemData);
    if (result == -1)
      result = data.ShortMemData(cmSkip, nullptr, 0);   // block not needed: nothing sent
    else
      ++sent;
    if (result != BlockMore) break;
    ++data.FBlockIndex;
  }
  EXPECT_EQ(result, BlockDone);
  EXPECT_GE(sent, 1);    // the short numbers lie in the first block(s)
  EXPECT_LT(sent, 66);   // and the agent skips the blocks nobody points into
}

TEST_F(AgentCodecAgainstExchange, MessageSlotIsTakenAndClearedTheAgentsWay) {
  Round(&TData::StatusPollData);   // slot 0
  ASSERT_GT(lastAnswer.size(), 4u);
  EXPECT_EQ(lastAnswer[2], 0);
  EXPECT_EQ(lastAnswer[3], 'I');
  uint8_t clearing[kCodecBufferSize];
  const int length = data.BuildStructureOneWrite(clearing, lastAnswer[2]);
  EXPECT_EQ(Send(clearing, length), std::vector<uint8_t>{0});
  EXPECT_TRUE(ex.Model().SlotEmpty(0));
}

TEST_F(AgentCodecAgainstExchange, MailboxCountsLandOnTheirMailbox) {
  Round(&TData::MailboxListData);
  data.SetMailboxCounts("202", 3, 1, 2, 0);
  uint8_t buffer[kCodecBufferSize];
  const int length = data.MailboxCountsData(buffer);
  EXPECT_EQ(Send(buffer, length), std::vector<uint8_t>{0});
  const auto& counts = ex.Model().MailboxCounts;
  ASSERT_EQ(counts.size(), 16u);
  // Mailbox 1, counters SMS, voice, fax, flag.
  EXPECT_EQ(std::vector<uint8_t>(counts.begin() + 4, counts.begin() + 8),
            (std::vector<uint8_t>{3, 2, 1, 0}));
}

TEST_F(AgentCodecAgainstExchange, BillingAndStatusRecordsFitTheStores) {
  Round(&TData::BillingData);
  ASSERT_GT(lastAnswer.size(), 1u);
  EXPECT_EQ(std::string(lastAnswer.begin() + 1, lastAnswer.end()),
            "2026-01-05 07:58:12;203;OUT;0222333444;75");
  Round(&TData::SwData);
  EXPECT_EQ(data.FSwData.Length(), 12u);   // nothing cut
  Round(&TData::AnData);
  EXPECT_EQ(data.FAnData.Length(), 3u + 4 * 16);
}

}  // namespace
