// Answer layouts of every request the agent sends, read the way the agent
// reads them.
#include <gtest/gtest.h>

#include "digit_codes.h"
#include "request_handler.h"
#include "scenario.h"
#include "short_numbers.h"

namespace {

using namespace exchange;

class ExchangeAnswers : public ::testing::Test {
 protected:
  ExchangeAnswers() : model(DefaultScenario().Model), handler(model, ExchangeClock{}) {}
  std::vector<uint8_t> Ask(std::vector<uint8_t> request) { return handler.Answer(request, 0); }

  ExchangeModel model;
  RequestHandler handler;
};

TEST_F(ExchangeAnswers, ConfigurationAndInformationLetTheAgentGoOn) {
  const auto config = Ask({kCmdConfig});
  ASSERT_EQ(config.size(), 1u + kConfigSize);
  EXPECT_EQ(config[0], kStatusOk);
  EXPECT_EQ(config[1 + 4], 2);   // the agent stops polling for anything else
  EXPECT_EQ(config[1 + 5], 0);   // and asks the user for anything but 0

  const auto info = Ask({kCmdInfo});
  ASSERT_EQ(info.size(), 1u + kInfoSize);
  EXPECT_EQ(info[0], kStatusOk);
  EXPECT_EQ(info[1 + 2], 0);                                        // port base
  EXPECT_EQ(info[1 + 3], static_cast<uint8_t>(model.Personal.size()));
}

TEST_F(ExchangeAnswers, StructureReadsCarryHeaderAndLayout) {
  struct Case {
    uint8_t Structure, Index;
    size_t ContentSize;
  } cases[] = {
      {kStructPortStates, 0, 4 * model.Ports.size()},
      {kStructPortStruct, 0, kPortStructSize},
      {kStructMailboxes, 0, kMailboxDigits * model.Mailboxes.size()},
      {kStructPersonal, 2, kPersonalSize},
      {kStructShortMem, 65, kShortBlockSize},
      {kStructClip, 3, 8 + 1},   // no caller data: the ending 0 only
  };
  for (const auto& c : cases) {
    const auto answer = Ask({kCmdReadStructure, c.Structure, c.Index});
    ASSERT_EQ(answer.size(), 3 + c.ContentSize) << "structure " << int(c.Structure);
    EXPECT_EQ(answer[0], kStatusOk);
    EXPECT_EQ(answer[1], c.Structure);
    EXPECT_EQ(answer[2], c.Index);
  }
}

TEST_F(ExchangeAnswers, ReadsOutsideAStructureAreErrors) {
  const std::vector<std::vector<uint8_t>> requests{
      {kCmdReadStructure, kStructShortMem, kShortBlockCount},
      {kCmdReadStructure, kStructPersonal, static_cast<uint8_t>(model.Personal.size())},
      {kCmdReadStructure, kStructClip, static_cast<uint8_t>(model.Ports.size())},
      {kCmdReadStructure, kStructSlots, kSlotCount},
      {kCmdReadStructure, 99, 0},   // never written
  };
  for (const auto& request : requests)
    EXPECT_EQ(Ask(request), std::vector<uint8_t>{kStatusNoSuchRecord}) << int(request[1]);
  EXPECT_EQ(Ask({kCmdReadStructure, kStructPortStates}), std::vector<uint8_t>{kStatusBadLength});
  EXPECT_EQ(Ask({0x63}), std::vector<uint8_t>{kStatusUnknownCommand});
  EXPECT_EQ(Ask({}), std::vector<uint8_t>{kStatusUnknownCommand});
  EXPECT_EQ(Ask({kCmdWriteStructure, kStructPortStates, 0, 1}), std::vector<uint8_t>{kStatusReadOnly});
}

TEST_F(ExchangeAnswers, MailboxNumbersAreDigitCodesTheAgentDecodes) {
  model.Mailboxes = {"201", "1#*0"};
  const auto answer = Ask({kCmdReadStructure, kStructMailboxes, 0});
  const std::vector<uint8_t> expected{0, kStructMailboxes, 0, 2, 10, 1, 0, 1, 12, 11, 10};
  EXPECT_EQ(answer, expected);
}

TEST_F(ExchangeAnswers, PersonalPointersReachTheirShortNumbersThroughBlockReads) {
  // Rebuild the short-number memory from structure 24 block reads, as the
  // agent does, and follow every pointer of every Personal record.
  std::vector<uint8_t> memory;
  for (int block = 0; block < kShortBlockCount; ++block) {
    const auto answer = Ask({kCmdReadStructure, kStructShortMem, static_cast<uint8_t>(block)});
    memory.insert(memory.end(), answer.begin() + 3, answer.end());
  }
  ExchangeModel rebuilt;
  rebuilt.ShortMem = memory;
  const auto info = Ask({kCmdInfo});
  std::vector<std::string> found;
  for (int n = 0; n < info[1 + 3]; ++n) {
    const auto record = Ask({kCmdReadStructure, kStructPersonal, static_cast<uint8_t>(n)});
    for (int k = 0; k < kPointersPerPersonal; ++k) {
      const uint16_t pointer = static_cast<uint16_t>(record[3 + 2 * k] << 8 | record[4 + 2 * k]);
      if (pointer == kNoEntry) continue;
      const ShortNumber entry = ReadShortEntry(rebuilt, pointer);
      found.push_back(entry.Name + "=" + entry.Number);
    }
  }
  const std::vector<std::string> expected{"Reception=100",  "Service desk=0222333444",
                                          "Taxi=0601999888", "Home=0601234567",
                                          "Office=0222111000", "Night line=*21#"};
  EXPECT_EQ(found, expected);
}

TEST_F(ExchangeAnswers, MessageSlotIsReadAndEmptiedByTheClearingWrite) {
  const auto full = Ask({kCmdReadStructure, kStructSlots, 0});
  ASSERT_GT(full.size(), 4u);
  EXPECT_EQ(full[3], 'I');
  const std::string text(full.begin() + 4, full.end());
  EXPECT_EQ(text, "operator@example.com\nExchange alarm\nFan 2 runs slow");

  std::vector<uint8_t> clearing{kCmdWriteStructure, kStructSlots, 0};
  clearing.resize(3 + kSlotSize, 0);   // what the agent sends: 254 bytes
  EXPECT_EQ(Ask(clearing), std::vector<uint8_t>{kStatusOk});
  EXPECT_EQ(Ask({kCmdReadStructure, kStructSlots, 0}),
            (std::vector<uint8_t>{kStatusOk, kStructSlots, 0, 0}));
  // An empty slot reads as kind 0 from the start too.
  EXPECT_EQ(Ask({kCmdReadStructure, kStructSlots, 3}),
            (std::vector<uint8_t>{kStatusOk, kStructSlots, 3, 0}));
}

TEST_F(ExchangeAnswers, WritesAreStoredAndReadBack) {
  // Mailbox counts as the agent's 'M' sends them, one 4-byte group each.
  const std::vector<uint8_t> counts{1, 0, 2, 0, 0, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, 0};
  std::vector<uint8_t> write{kCmdWriteStructure, kStructMailboxCounts, 0};
  write.insert(write.end(), counts.begin(), counts.end());
  EXPECT_EQ(Ask(write), std::vector<uint8_t>{kStatusOk});
  EXPECT_EQ(model.MailboxCounts, counts);
  EXPECT_EQ(Ask({kCmdWriteStructure, kStructMailboxCounts, 0}), std::vector<uint8_t>{kStatusOk});
  // Counts for more mailboxes than there are, or half a group: refused.
  write.resize(3 + 4 * 5, 0);
  EXPECT_EQ(Ask(write), std::vector<uint8_t>{kStatusBadLength});
  EXPECT_EQ(Ask({kCmdWriteStructure, kStructMailboxCounts, 0, 1, 2}),
            std::vector<uint8_t>{kStatusBadLength});

  // A structure the exchange gives no meaning to keeps what was written.
  EXPECT_EQ(Ask({kCmdWriteStructure, 13, 4, 9, 8, 7}), std::vector<uint8_t>{kStatusOk});
  EXPECT_EQ(Ask({kCmdReadStructure, 13, 4}), (std::vector<uint8_t>{0, 13, 4, 9, 8, 7}));
  EXPECT_EQ(Ask({kCmdReadStructure, 13, 5}), std::vector<uint8_t>{kStatusNoSuchRecord});
}

TEST_F(ExchangeAnswers, CallerDataOfARingingPort) {
  model.Ports[2].State = kPortRinging;
  model.Ports[2].Flags = kFlagCallerData;
  model.Ports[2].Caller = "0601*5";
  const auto answer = Ask({kCmdReadStructure, kStructClip, 2});
  ASSERT_EQ(answer.size(), 3u + 8 + 6 + 1);
  EXPECT_EQ(answer[3], kPortRinging);
  EXPECT_EQ(DecodeNumber(answer.data() + 11, static_cast<int>(answer.size()) - 11), "0601*5");
  EXPECT_EQ(answer.back(), 0);

  const auto states = Ask({kCmdReadStructure, kStructPortStates, 0});
  EXPECT_EQ(states[3 + 4 * 2], kPortRinging);
  EXPECT_EQ(states[3 + 4 * 2 + 3], kFlagCallerData);

  const auto queue = Ask({kCmdQueue});
  EXPECT_EQ(queue, (std::vector<uint8_t>{kStatusOk, 1, 2, 1}));
}

TEST_F(ExchangeAnswers, SwRecordFitsTheAgentsStore) {
  model.Ports[0].State = kPortTalking;
  ExchangeClock clock(CivilTime{2026, 3, 1, 23, 59, 58});
  RequestHandler timed(model, clock);
  const auto sw = timed.Answer({kCmdSwRecord}, 3000);   // three seconds later
  ASSERT_EQ(sw.size(), 12u);
  EXPECT_EQ(sw[0], kStatusOk);
  EXPECT_EQ(sw[1], model.Ports.size());
  EXPECT_EQ(sw[2], 1);   // busy ports
  const std::vector<uint8_t> clockBytes(sw.begin() + 4, sw.begin() + 10);
  EXPECT_EQ(clockBytes, (std::vector<uint8_t>{0, 0, 1, 2, 3, 26}));   // 00:00:01 2.3.26
}

TEST_F(ExchangeAnswers, CallControlCommandsAreAcknowledged) {
  const std::vector<std::vector<uint8_t>> commands{
      {kCmdCallControl, 1, 83},
      {kCmdCallControl, 1, 1, 2, 3, 10, 11, 12, 0, 0},   // dial
      {kCmdTakeFromQueue, 0, 2},
      {kCmdShortNumber, 4, 7, 3, 'a', 'b', 2, 5},
      {kCmdTakeFromHold, 3, 0},
  };
  for (const auto& command : commands)
    EXPECT_EQ(Ask(command), std::vector<uint8_t>{kStatusOk}) << int(command[0]);
  EXPECT_EQ(model.CallCommands.size(), commands.size());
  EXPECT_EQ(Ask({kCmdCallControl, 1}), std::vector<uint8_t>{kStatusBadLength});
  EXPECT_EQ(Ask({kCmdCallControl, 200, 83}), std::vector<uint8_t>{kStatusNoSuchRecord});
}

}  // namespace
