// The traffic model in virtual time: deterministic for a seed, and what it
// does shows in the answers the agent polls for.
#include <gtest/gtest.h>

#include "frame_reference.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using namespace exchange;

Scenario Busy(uint64_t seed) {
  Scenario s = DefaultScenario();
  s.Model.Billing = BillingQueue{};
  s.Traffic.Seed = seed;
  s.Traffic.CallPerMille = 200;
  return s;
}

// The port state answers seen once a second for a simulated minute.
std::vector<std::vector<uint8_t>> PortStatesOverAMinute(SimulatedExchange& ex) {
  std::vector<std::vector<uint8_t>> seen;
  for (int second = 0; second < 60; ++second) {
    ex.Advance(1000);
    seen.push_back(reference::Ask(ex, static_cast<uint8_t>(second),
                                  {kCmdReadStructure, kStructPortStates, 0}));
  }
  return seen;
}

TEST(ExchangeTraffic, SameSeedSameTrafficOtherSeedOtherTraffic) {
  SimulatedExchange a(Busy(7)), b(Busy(7)), c(Busy(8));
  const auto seenA = PortStatesOverAMinute(a);
  EXPECT_EQ(seenA, PortStatesOverAMinute(b));
  EXPECT_NE(seenA, PortStatesOverAMinute(c));
  EXPECT_EQ(a.Model().Billing.Records(), b.Model().Billing.Records());
}

TEST(ExchangeTraffic, PortStatesChangeAndCallerDataFlagsRise) {
  SimulatedExchange ex(Busy(3));
  const auto seen = PortStatesOverAMinute(ex);
  bool changed = false, ringingWithCallerData = false;
  for (size_t i = 1; i < seen.size(); ++i) changed |= seen[i] != seen[0];
  for (const auto& answer : seen)
    for (size_t at = 3; at + 3 < answer.size(); at += 4)
      ringingWithCallerData |= answer[at] == kPortRinging && (answer[at + 3] & kFlagCallerData);
  EXPECT_TRUE(changed);
  EXPECT_TRUE(ringingWithCallerData);
}

TEST(ExchangeTraffic, EveryFinishedCallQueuesOneBillingRecord) {
  SimulatedExchange ex(Busy(5));
  ex.Advance(10 * 60 * 1000);
  const size_t finished = ex.Traffic().FinishedCalls();
  ASSERT_GT(finished, 0u);
  EXPECT_EQ(ex.Model().Billing.Waiting(), finished);
  const std::string& first = ex.Model().Billing.Records().front();
  // START;EXTENSION;IN|OUT;NUMBER;SECONDS, starting on the scenario's day.
  EXPECT_EQ(first.rfind("2026-01-05 08:", 0), 0u) << first;
  EXPECT_EQ(std::count(first.begin(), first.end(), ';'), 4) << first;
}

TEST(ExchangeTraffic, SwitchedOffNothingMoves) {
  Scenario s = Busy(5);
  s.Traffic.Enabled = false;
  SimulatedExchange ex(std::move(s));
  const auto before = reference::Ask(ex, 1, {kCmdReadStructure, kStructPortStates, 0});
  ex.Advance(10 * 60 * 1000);
  EXPECT_EQ(reference::Ask(ex, 2, {kCmdReadStructure, kStructPortStates, 0}), before);
  EXPECT_EQ(ex.Model().Billing.Waiting(), 0u);
  // Switched on again, it starts from now: no burst of ten minutes of steps.
  ex.Control("traffic on");
  ex.Advance(1000);
  EXPECT_EQ(ex.Traffic().FinishedCalls(), 0u);
}

}  // namespace
