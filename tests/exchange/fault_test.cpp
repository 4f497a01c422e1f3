// Fault switches: each changes what goes on the line and nothing else.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame_reference.h"
#include "link/packet_frame.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using namespace exchange;

Scenario Quiet() {
  Scenario s = DefaultScenario();
  s.Traffic.Enabled = false;
  return s;
}

TEST(ExchangeFaults, SilenceAnswersNothingUntilSwitchedOff) {
  SimulatedExchange ex(Quiet());
  EXPECT_EQ(ex.Control("silence on"), "ok silence on");
  EXPECT_TRUE(reference::Exchange(ex, 1, {kCmdConfig}).empty());
  ex.Advance(60000);
  EXPECT_FALSE(ex.HasOutput());
  ex.Control("silence off");
  EXPECT_EQ(reference::Ask(ex, 1, {kCmdConfig}).size(), 1u + kConfigSize);
}

TEST(ExchangeFaults, WrongNumberAndBadCrcSpoilOnlyTheirPart) {
  SimulatedExchange ex(Quiet());
  ex.Control("wrong-number on");
  auto frames = reference::Exchange(ex, 255, {kCmdInfo});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Number, 0);   // 255 + 1 wraps
  EXPECT_TRUE(frames[0].CrcOk);
  ex.Control("wrong-number off");

  ex.Control("bad-crc on");
  // The project's own receiver must drop the frame, as the agent's does.
  int delivered = 0;
  FrameReceiver receiver;
  receiver.MaxPacketSize = 512;
  receiver.OnPacket = [&](int, const uint8_t*) { ++delivered; };
  for (uint8_t number = 0; number < 40; ++number) {   // some CRCs end in 0xEE or 0x11
    ex.Receive(reference::Encode(number, {kCmdReadStructure, 99, number}));
    for (uint8_t b : ex.TakeOutput()) receiver.Process(b);
  }
  EXPECT_EQ(delivered, 0);
  EXPECT_EQ(receiver.CurrentState(), FrameReceiver::State::Hunt);
}

TEST(ExchangeFaults, StrayBytesComeBeforeTheAnswerWhichStillArrives) {
  SimulatedExchange ex(Quiet());
  ex.Control("stray on");
  ex.Receive(reference::Encode(9, {kCmdConfig}));
  std::vector<uint8_t> strays;
  int delivered = 0;
  FrameReceiver receiver;
  receiver.MaxPacketSize = 512;
  receiver.OnPacket = [&](int count, const uint8_t* data) {
    ++delivered;
    EXPECT_EQ(count, 1 + 1 + kConfigSize);
    EXPECT_EQ(data[0], 9);
  };
  receiver.OnStray = [&](uint8_t b) { strays.push_back(b); };
  for (uint8_t b : ex.TakeOutput()) receiver.Process(b);
  EXPECT_EQ(delivered, 1);
  EXPECT_EQ(strays, StrayBytes());
  EXPECT_NE(std::find(strays.begin(), strays.end(), 0xE0), strays.end());
}

TEST(ExchangeFaults, DelayedAnswerLeavesWhenItsTimeHasCome) {
  SimulatedExchange ex(Quiet());
  EXPECT_EQ(ex.Control("delay 1500"), "ok delay 1500 ms");
  ex.Receive(reference::Encode(3, {kCmdConfig}));
  EXPECT_FALSE(ex.HasOutput());
  EXPECT_EQ(ex.MsUntilNextAnswer(), 1500);
  ex.Advance(1499);
  EXPECT_FALSE(ex.HasOutput());
  ex.Advance(1);
  const auto frames = reference::Decode(ex.TakeOutput());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Number, 3);
  EXPECT_EQ(ex.MsUntilNextAnswer(), -1);
}

TEST(ExchangeFaults, ErrorStatusForGivenRequests) {
  SimulatedExchange ex(Quiet());
  EXPECT_EQ(ex.Control("error 0/25 7"), "ok error 0/25 answers status 7");
  EXPECT_EQ(ex.Control("error 4 9"), "ok error 4 answers status 9");
  EXPECT_EQ(reference::Ask(ex, 1, {kCmdReadStructure, kStructPersonal, 0}), std::vector<uint8_t>{7});
  EXPECT_EQ(reference::Ask(ex, 2, {kCmdReadStructure, kStructShortMem, 0})[0], kStatusOk);
  EXPECT_EQ(reference::Ask(ex, 3, {kCmdBillingNext}), std::vector<uint8_t>{9});
  EXPECT_EQ(ex.Model().Billing.Taken(), 0u);   // a refused request takes nothing
  ex.Control("error 4 off");
  EXPECT_GT(reference::Ask(ex, 4, {kCmdBillingNext}).size(), 1u);
  ex.Control("faults off");
  EXPECT_EQ(reference::Ask(ex, 5, {kCmdReadStructure, kStructPersonal, 0})[0], kStatusOk);
}

TEST(ExchangeFaults, BadControlLinesGetAClearError) {
  SimulatedExchange ex(Quiet());
  const char* lines[] = {"",           "fly away",   "silence",      "silence maybe",
                         "delay -5",   "delay soon", "error 4",      "error 4 0",
                         "error 4 300", "error 2/22 5", "error x 1",  "slot 4 Q a|b|c",
                         "slot 0 Q no bars", "port 99 2", "port 0 2 1 call-me", "bill",
                         "traffic maybe"};
  for (const char* line : lines)
    EXPECT_EQ(ex.Control(line).rfind("error: ", 0), 0u) << "'" << line << "'";
  EXPECT_EQ(ex.Faults().Describe(), FaultSwitches{}.Describe());   // nothing changed
  EXPECT_EQ(ex.Control("help").rfind("ok ", 0), 0u);
}

TEST(ExchangeFaults, ContentCommandsChangeWhatTheExchangeAnswers) {
  SimulatedExchange ex(Quiet());
  EXPECT_EQ(ex.Control("slot 2 Q +420601234567|Alarm|Door open"), "ok slot 2 holds a message");
  const auto slot = reference::Ask(ex, 1, {kCmdReadStructure, kStructSlots, 2});
  EXPECT_EQ(std::string(slot.begin() + 3, slot.end()), "Q+420601234567\nAlarm\nDoor open");
  EXPECT_EQ(ex.Control("port 4 8 1 0601"), "ok port 4 state 8");
  const auto states = reference::Ask(ex, 2, {kCmdReadStructure, kStructPortStates, 0});
  EXPECT_EQ(states[3 + 16], kPortRinging);
  EXPECT_EQ(states[3 + 16 + 3], kFlagCallerData);
}

}  // namespace
