#include "agent_fixture.h"

using Bytes = std::vector<uint8_t>;

namespace {
const Bytes kConfig = {0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

Bytes BillingReply(const std::string& text) {
  Bytes reply(text.size() + 1, 0);
  std::copy(text.begin(), text.end(), reply.begin() + 1);
  return reply;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

class PeriodicRequests : public AgentFixture {
 protected:
  // Starts and answers the initial requests; the 'V' reply is given.
  void StartAndInitialise(const std::string& ini, const Bytes& mailboxReply) {
    WriteIni(ini);
    Start();
    const Bytes answers[] = {kConfig, Bytes(8, 0), Bytes(145, 0), mailboxReply};
    for (const auto& a : answers) {
      Advance(100);
      Answer(a);
    }
  }
  std::string BillingFile() const { return (std::filesystem::path(ExePath()).parent_path() / "BILL.TXT").string(); }
};

TEST_F(PeriodicRequests, BillingRecordsAreFetchedIntoTheFileAndTheIntervalFollowsThem) {
  StartAndInitialise("[Set]\r\nUctFile=" + BillingFile() + "\r\n", {0, 14, 0, 2, 0, 1});
  ASSERT_TRUE(form_->TimerUR.Enabled());
  size_t before = frames_.size();
  Advance(1100);  // the timer, then the next tick
  ASSERT_EQ(frames_.size(), before + 1);
  EXPECT_EQ(frames_.back().Payload, Bytes{4});
  Answer(BillingReply("2026-12-11 08:00:00;201;OUT;123;60"));
  EXPECT_EQ(ReadFile(BillingFile()), "2026-12-11 08:00:00;201;OUT;123;60\r\n");
  EXPECT_EQ(form_->TimerUR.Interval(), 1000);
  EXPECT_EQ(CountLines("<COM 2026-12-11 08:00:00;201;OUT;123;60"), 1);
  Advance(1100);
  Answer({0});
  EXPECT_EQ(form_->TimerUR.Interval(), 3000);
  EXPECT_EQ(CountLines("<COM No billing record"), 1);
  EXPECT_EQ(form_->FBillingList.FBillingEnd, 1);
}

TEST_F(PeriodicRequests, ARecordThatCannotBeWrittenIsAskedForAgain) {
  StartAndInitialise("[Set]\r\nUctFile=/nonexistent-dir/BILL.TXT\r\n", {0, 14, 0, 2, 0, 1});
  Advance(1000);
  Advance(100);
  Answer(BillingReply("record one"));
  EXPECT_EQ(form_->FBillingList.FBillingEnd, 0);
  Advance(1100);
  EXPECT_EQ(frames_.back().Payload, Bytes{5}) << "the exchange sends the same record again";
}

TEST_F(PeriodicRequests, AMailboxListOfThreeBytesStartsNoTimer) {
  StartAndInitialise("[Set]\r\n", {0, 14, 0});
  EXPECT_FALSE(form_->TimerUR.Enabled());
  EXPECT_EQ(CountLines("<COM Mailbox list refused or empty, status 0"), 1);
}

TEST_F(PeriodicRequests, ReadUctOffFetchesNoBilling) {
  StartAndInitialise("[Set]\r\nReadUct=0\r\n", {0, 14, 0, 2, 0, 1});
  EXPECT_FALSE(form_->TimerUR.Enabled());
}

TEST_F(PeriodicRequests, PortStateTimerStopsOnlyAfterMoreThanItsTimeOut) {
  // A long interval: no 'A' goes out, so every tick finds the cycle idle.
  StartAndInitialise("[Set]\r\nReadUct=0\r\n[Timer]\r\nANInterval=60000\r\n", {0, 14, 0, 2, 0, 1});
  form_->FAnAskedAt = backend_.Now();
  form_->TimerAN.SetEnabled(true);
  Advance(10000);  // exactly the time-out: still running
  EXPECT_TRUE(form_->TimerAN.Enabled());
  Advance(100);
  EXPECT_FALSE(form_->TimerAN.Enabled());
}

TEST_F(PeriodicRequests, HaltedPollingQueuesEachLetterOnceWithoutNotes) {
  StartAndInitialise("[Set]\r\nReadUct=0\r\n[Log]\r\nCom_LocOut=1\r\n", {0, 14, 0, 2, 0, 1});
  form_->Zastavit1Click();
  int notesBefore = CountLines("<LOC Short status");
  form_->TimerSW.SetEnabled(true);
  form_->FSwAskedAt = backend_.Now() + 1;  // asked for all along
  Advance(5000);
  EXPECT_EQ(CountLines("<LOC Short status"), notesBefore);
  EXPECT_EQ(form_->RequestQueue()->Keys(), std::vector<std::string>{"X"});
}

TEST_F(PeriodicRequests, ShortsTimerFiresOnceAndStartsThePersonalSeries) {
  StartAndInitialise("[Set]\r\nReadUct=0\r\n[Timer]\r\nShorts=500\r\n", {0, 14, 0, 2, 0, 1});
  form_->FData->FBlockIndex = 7;
  form_->TimerShorts.SetEnabled(true);
  Advance(500);
  EXPECT_FALSE(form_->TimerShorts.Enabled());
  EXPECT_EQ(form_->FData->FBlockIndex, 0);
  Advance(100);
  EXPECT_EQ(frames_.back().Payload, (Bytes{0, 25, 0}));
}

TEST(BillingList, KeepsThe201NewestWithAbsoluteCounters) {
  TBillingList list;
  for (int i = 0; i < 250; ++i) list.Add("record " + std::to_string(i));
  EXPECT_EQ(list.FBillingFirst, 49);
  EXPECT_EQ(list.FBillingEnd, 250);
  EXPECT_EQ(list.Count(), 201);
  EXPECT_EQ(list.Text(49), "record 49");
  list.Add("record 249");
  EXPECT_EQ(list.FBillingEnd, 250) << "a repeat of the last record is not listed again";
}
