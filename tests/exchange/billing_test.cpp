// Billing records leave the exchange only once the agent has shown that
// it got them; a repeated frame never takes a record.
#include <gtest/gtest.h>

#include "frame_reference.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using namespace exchange;

std::string TextOf(const std::vector<uint8_t>& answer) {
  return answer.empty() ? "<no answer>" : std::string(answer.begin() + 1, answer.end());
}

class ExchangeBilling : public ::testing::Test {
 protected:
  ExchangeBilling() : ex(Quiet()) {}
  static Scenario Quiet() {
    Scenario s = DefaultScenario();
    s.Traffic.Enabled = false;
    s.Model.Billing = BillingQueue{};
    for (const char* text : {"r1", "r2", "r3"}) s.Model.Billing.Add(text);
    return s;
  }
  std::string Ask(uint8_t number, uint8_t command) {
    return TextOf(reference::Ask(ex, number, {command}));
  }
  SimulatedExchange ex;
};

TEST_F(ExchangeBilling, CommandFourTakesTheRecordBeforeAndFiveRepeatsIt) {
  EXPECT_EQ(Ask(1, kCmdBillingNext), "r1");
  EXPECT_EQ(Ask(2, kCmdBillingAgain), "r1");   // the agent could not write it
  EXPECT_EQ(Ask(3, kCmdBillingAgain), "r1");
  EXPECT_EQ(Ask(4, kCmdBillingNext), "r2");    // r1 is taken now
  EXPECT_EQ(ex.Model().Billing.Taken(), 1u);
  EXPECT_EQ(Ask(5, kCmdBillingNext), "r3");
  EXPECT_EQ(Ask(6, kCmdBillingNext), "");      // only the status byte
  EXPECT_EQ(reference::Ask(ex, 7, {kCmdBillingNext}), std::vector<uint8_t>{kStatusOk});
  EXPECT_EQ(ex.Model().Billing.Taken(), 3u);
  EXPECT_EQ(ex.Model().Billing.Waiting(), 0u);
}

TEST_F(ExchangeBilling, ARecordQueuedAfterTheStoreRanDryIsDelivered) {
  EXPECT_EQ(Ask(1, kCmdBillingNext), "r1");
  EXPECT_EQ(Ask(2, kCmdBillingNext), "r2");
  EXPECT_EQ(Ask(3, kCmdBillingNext), "r3");
  EXPECT_EQ(Ask(4, kCmdBillingNext), "");
  EXPECT_EQ(ex.Control("bill late call"), "ok 1 billing records waiting");
  EXPECT_EQ(Ask(5, kCmdBillingAgain), "late call");
  EXPECT_EQ(Ask(6, kCmdBillingNext), "");
  EXPECT_EQ(ex.Model().Billing.Taken(), 4u);
}

TEST_F(ExchangeBilling, RetransmittedFrameGetsTheSameAnswerAndTakesNothing) {
  EXPECT_EQ(Ask(10, kCmdBillingNext), "r1");
  // The answer was lost; the agent sends the same frame again.
  EXPECT_EQ(Ask(10, kCmdBillingNext), "r1");
  EXPECT_EQ(Ask(10, kCmdBillingNext), "r1");
  EXPECT_EQ(ex.Model().Billing.Taken(), 0u);
  // The next packet number is a new request: r1 counts as taken.
  EXPECT_EQ(Ask(11, kCmdBillingNext), "r2");
  EXPECT_EQ(ex.Model().Billing.Taken(), 1u);
}

TEST_F(ExchangeBilling, SameNumberWithAnotherPayloadIsANewRequest) {
  EXPECT_EQ(Ask(20, kCmdBillingNext), "r1");
  reference::Ask(ex, 21, {kCmdInfo});
  // Same number as two frames ago, not as the frame before: not a repeat.
  EXPECT_EQ(Ask(20, kCmdBillingNext), "r2");
  EXPECT_EQ(Ask(20, kCmdBillingAgain), "r2");
}

TEST_F(ExchangeBilling, AnswerLostToAFaultComesAgainWhenTheAgentRepeats) {
  ex.Control("bad-crc on");
  auto frames = reference::Exchange(ex, 30, {kCmdBillingNext});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_FALSE(frames[0].CrcOk);
  ex.Control("bad-crc off");
  EXPECT_EQ(Ask(30, kCmdBillingNext), "r1");
  EXPECT_EQ(ex.Model().Billing.Taken(), 0u);
}

TEST(BillingQueue, RefusesEmptyTextsAndCutsLongOnes) {
  BillingQueue queue;
  EXPECT_FALSE(queue.Add(""));
  EXPECT_TRUE(queue.Add(std::string(300, 'x')));
  EXPECT_EQ(queue.DeliverNext()->size(), BillingQueue::kMaxTextLength);
  EXPECT_EQ(queue.Waiting(), 1u);
}

}  // namespace
