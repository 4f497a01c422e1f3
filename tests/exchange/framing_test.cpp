// The exchange's frames on the line, checked against golden bytes and an
// encoder written apart from the project's framer (CRC from zlib).
#include <gtest/gtest.h>

#include "frame_reference.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using exchange::SimulatedExchange;

TEST(ExchangeFraming, AnswerToUnknownCommandIsTheGoldenFrame) {
  SimulatedExchange ex(exchange::DefaultScenario());
  ex.Receive(reference::Encode(7, {0x63}));
  // EE 23, LEN 2, packet 7, status 1, CRC-32 of 07 01 = 0x799FB4AE.
  const std::vector<uint8_t> golden{0xEE, 0x23, 0x02, 0x00, 0x07, 0x01, 0xAE, 0xB4, 0x9F, 0x79};
  EXPECT_EQ(ex.TakeOutput(), golden);
}

TEST(ExchangeFraming, AnswerFramesMatchTheIndependentEncoder) {
  SimulatedExchange ex(exchange::DefaultScenario());
  for (uint8_t command : {exchange::kCmdConfig, exchange::kCmdInfo, exchange::kCmdSwRecord}) {
    ex.Receive(reference::Encode(40, {command}));
    const auto wire = ex.TakeOutput();
    const auto frames = reference::Decode(wire);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].CrcOk);
    EXPECT_EQ(wire, reference::Encode(40, frames[0].Payload)) << "command " << int(command);
  }
}

TEST(ExchangeFraming, EeInNumberLengthAndPayloadIsDoubled) {
  SimulatedExchange ex(exchange::DefaultScenario());
  // 234 data bytes: the read-back answer is 3 + 234 = 237 bytes, LEN 0xEE.
  std::vector<uint8_t> write{exchange::kCmdWriteStructure, 98, 0};
  for (int i = 0; i < 234; ++i) write.push_back(i % 2 ? 0xEE : static_cast<uint8_t>(i));
  ASSERT_EQ(reference::Ask(ex, 0xEE, write), std::vector<uint8_t>{0});

  ex.Receive(reference::Encode(0xEE, {exchange::kCmdReadStructure, 98, 0}));
  const auto wire = ex.TakeOutput();
  std::vector<uint8_t> expected{0, 98, 0};
  expected.insert(expected.end(), write.begin() + 3, write.end());
  EXPECT_EQ(wire, reference::Encode(0xEE, expected));
  EXPECT_EQ(wire[2], 0xEE);   // LEN low byte, doubled
  EXPECT_EQ(wire[3], 0xEE);
}

TEST(ExchangeFraming, RequestsSplitOrJoinedAreAnsweredInOrder) {
  SimulatedExchange ex(exchange::DefaultScenario());
  auto bytes = reference::Encode(1, {exchange::kCmdConfig});
  const auto second = reference::Encode(2, {exchange::kCmdInfo});
  bytes.insert(bytes.end(), second.begin(), second.end());
  for (uint8_t b : bytes) ex.Receive(&b, 1);
  const auto frames = reference::Decode(ex.TakeOutput());
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].Number, 1);
  EXPECT_EQ(frames[0].Payload.size(), 1u + exchange::kConfigSize);
  EXPECT_EQ(frames[1].Number, 2);
  EXPECT_EQ(frames[1].Payload.size(), 1u + exchange::kInfoSize);
}

TEST(ExchangeFraming, DamagedOrOversizedRequestsGetNoAnswer) {
  SimulatedExchange ex(exchange::DefaultScenario());
  auto damaged = reference::Encode(3, {exchange::kCmdConfig});
  damaged[5] ^= 0x01;   // a CRC byte
  ex.Receive(damaged);
  std::vector<uint8_t> huge(SimulatedExchange::kMaxRequestPayload + 1, 0x01);
  ex.Receive(reference::Encode(4, huge));
  EXPECT_TRUE(ex.TakeOutput().empty());
  EXPECT_EQ(ex.FramesReceived(), 0u);
  // The largest request still passes, and the line is in step again.
  std::vector<uint8_t> largest{exchange::kCmdWriteStructure, 97, 0};
  largest.resize(SimulatedExchange::kMaxRequestPayload, 0x33);
  EXPECT_EQ(reference::Ask(ex, 5, largest), std::vector<uint8_t>{0});
}

TEST(ExchangeFraming, EveryRequestGetsOneAnswerTheAgentCanTake) {
  // Seeded random requests, many of them nonsense: each is answered once,
  // with a status byte, within the agent's 512-byte receive limit.
  SimulatedExchange ex(exchange::DefaultScenario());
  exchange::SeededRandom random(42);
  for (int i = 0; i < 3000; ++i) {
    std::vector<uint8_t> request(random.Between(1, 40));
    for (auto& b : request) b = static_cast<uint8_t>(random.Between(0, 255));
    request[0] = static_cast<uint8_t>(random.Between(0, 40));   // mostly commands it knows
    if (random.Between(0, 3) == 0) request.resize(random.Between(3, 512), 0xEE);
    const auto frames = reference::Exchange(ex, static_cast<uint8_t>(i), request);
    ASSERT_EQ(frames.size(), 1u) << "request " << i;
    EXPECT_TRUE(frames[0].CrcOk);
    EXPECT_FALSE(frames[0].Payload.empty());
    EXPECT_LE(frames[0].Payload.size(), 512u);
    ex.Advance(100);
  }
}

}  // namespace
