// Scenario files: the shipped example describes the default, and values
// that cannot be used are named in the error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "frame_reference.h"
#include "request_handler.h"
#include "scenario.h"

namespace {

using namespace exchange;

class ScenarioFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    std::ofstream(path_) << text;
    return path_;
  }
  ~ScenarioFiles() override { std::filesystem::remove(path_); }

 private:
  std::string path_ = (std::filesystem::temp_directory_path() /
                       ("exchange-scenario-" + std::to_string(::getpid()) + ".ini")).string();
};

// Every answer the agent's cycle asks for, and a minute of traffic.
std::vector<std::vector<uint8_t>> AnswersOf(Scenario scenario) {
  SimulatedExchange ex(std::move(scenario));
  std::vector<std::vector<uint8_t>> answers;
  uint8_t number = 1;
  auto ask = [&](std::vector<uint8_t> request) {
    answers.push_back(reference::Ask(ex, number++, request));
  };
  ask({kCmdConfig});
  ask({kCmdInfo});
  for (uint8_t s : {kStructPortStruct, kStructMailboxes, kStructPortStates}) ask({0, s, 0});
  for (uint8_t n = 0; n < 3; ++n) ask({0, kStructPersonal, n});
  for (uint8_t n = 0; n < kShortBlockCount; ++n) ask({0, kStructShortMem, n});
  for (uint8_t n = 0; n < kSlotCount; ++n) ask({0, kStructSlots, n});
  ex.Advance(60000);
  ask({0, kStructPortStates, 0});
  ask({kCmdSwRecord});
  for (int i = 0; i < 4; ++i) ask({kCmdBillingNext});
  return answers;
}

TEST_F(ScenarioFiles, ExampleScenarioDescribesTheDefault) {
  Scenario example;
  std::string error;
  ASSERT_TRUE(LoadScenario(EXCHANGE_SOURCE_DIR "/example.scenario", example, error)) << error;
  EXPECT_EQ(AnswersOf(example), AnswersOf(DefaultScenario()));
}

TEST_F(ScenarioFiles, KeysOverrideAndContentSectionsReplace) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(LoadScenario(Write("[Ports]\nCount=4\nFirstNumber=30\n"
                                 "[Port1]\nState=8\nFlags=1\nCaller=0601\n"
                                 "[Mailboxes]\nNumbers=30, 31\n"
                                 "[Personal]\nCount=1\n[Personal0]\nA=Boss,123\n"
                                 "[Slots]\n[Billing]\nX=one\n"),
                           s, error))
      << error;
  EXPECT_EQ(s.Model.Ports.size(), 4u);
  EXPECT_EQ(s.Model.Ports[3].Number, "33");
  EXPECT_EQ(s.Model.Ports[1].State, kPortRinging);
  EXPECT_EQ(s.Model.Ports[1].Caller, "0601");
  EXPECT_EQ(s.Model.Mailboxes, (std::vector<std::string>{"30", "31"}));
  EXPECT_EQ(s.Model.Personal.size(), 1u);
  EXPECT_EQ(s.Model.PersonalPointer(0, 0), 0);
  EXPECT_EQ(s.Model.PersonalPointer(0, 1), kNoEntry);
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_TRUE(s.Model.SlotEmpty(slot));
  EXPECT_EQ(s.Model.Billing.Records(), std::deque<std::string>{"one"});
  EXPECT_EQ(s.Model.Config[6], 4);   // the port count goes into the records
  EXPECT_EQ(s.Model.Info[4], 4);
}

TEST_F(ScenarioFiles, UnusableValuesAreNamedInTheError) {
  struct Case {
    const char* Text;
    const char* Named;
  } cases[] = {
      {"[Ports]\nCount=64\n", "[Ports] Count"},
      {"[Ports]\nCount=many\n", "[Ports] Count"},
      {"[Port0]\nCaller=06-01\n", "[Port0] Caller"},
      {"[Exchange]\nClock=2026-02-30 10:00:00\n", "[Exchange] Clock"},
      {"[Exchange]\nConfig=01 02 XYZ\n", "[Exchange] Config"},
      {"[Exchange]\nConfig=00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n", "[Exchange] Config"},
      {"[Mailboxes]\nNumbers=201,20345\n", "[Mailboxes] Numbers"},
      {"[Personal]\nCount=1\n[Personal0]\nS0=no number\n", "[Personal0] S0"},
      {"[Personal]\nCount=1\n[Personal0]\nS0=Bad,12x\n", "[Personal]"},
      {"[Slots]\nSlot7=Q|a|b|c\n", "[Slots] Slot7"},
      {"[Slots]\nSlot0=Q|a|b\n", "[Slots] Slot0"},
      {"[Billing]\nRecord1=\n", "[Billing] Record1"},
      {"[Traffic]\nEnabled=perhaps\n", "[Traffic] Enabled"},
      {"[Traffic]\nTalkSteps=9-3\n", "[Traffic] TalkSteps"},
  };
  for (const auto& c : cases) {
    Scenario s;
    std::string error;
    EXPECT_FALSE(LoadScenario(Write(c.Text), s, error)) << c.Text;
    EXPECT_NE(error.find(c.Named), std::string::npos) << c.Text << " gave: " << error;
  }
}

TEST_F(ScenarioFiles, MissingFileIsAnError) {
  Scenario s;
  std::string error;
  EXPECT_FALSE(LoadScenario("/nonexistent/none.scenario", s, error));
  EXPECT_NE(error.find("not found"), std::string::npos);
}

}  // namespace
