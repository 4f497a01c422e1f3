#include "agent_fixture.h"

class EventLog : public AgentFixture {
 protected:
  void SetUp() override {
    AgentFixture::SetUp();
    WriteIni("[Set]\r\n");
    Start();
    form_->ListBox1->Clear();
  }
  void Log(int n) {
    for (int i = 0; i < n; ++i) form_->LogEvent("<COM", "line " + std::to_string(i));
  }
  TListBox& List() { return *form_->ListBox1; }
};

TEST_F(EventLog, LineIsTimeTenthsTwoBlanksTagBlankText) {
  backend_.StartTime = EncodeDate(2026, 12, 11) + EncodeTime(14, 5, 7, 384);
  form_->LogEvent("<COM", "Configuration record");
  EXPECT_EQ(List().Item(0), "14:05:07.3  <COM Configuration record");
  EXPECT_EQ(form_->StatusBar1->SimpleText(), "<COM     Configuration record");
}

TEST_F(EventLog, FirstLineIsSelectedAndTheListFollowsItsEnd) {
  Log(3);
  EXPECT_EQ(List().ItemIndex(), 2);
}

TEST_F(EventLog, AnOlderSelectedLineStopsFollowingUntilTheLastIsSelectedAgain) {
  Log(5);
  List().SetItemIndex(1);
  Log(2);
  EXPECT_EQ(List().ItemIndex(), 1);
  List().SetItemIndex(List().Count() - 1);
  Log(1);
  EXPECT_EQ(List().ItemIndex(), List().Count() - 1);
}

TEST_F(EventLog, HoldsAtMost500LinesAndKeepsTheSelectedLine) {
  struct Case {
    int select;          // selected before the 501st line, -2 = following
    int expectedIndex;   // after it
    std::string expectedLine;
  };
  const Case cases[] = {
      {-2, 499, "line 500"},  // following: the new last line
      {10, 9, "line 10"},     // an older line stays selected
      {0, -1, ""},            // the removed first line was selected
  };
  for (const auto& c : cases) {
    List().Clear();
    Log(500);
    if (c.select != -2) List().SetItemIndex(c.select);
    form_->LogEvent("<COM", "line 500");
    EXPECT_EQ(List().Count(), 500);
    EXPECT_EQ(List().Item(0).substr(17), "line 1");
    EXPECT_EQ(List().ItemIndex(), c.expectedIndex) << "selected " << c.select;
    if (c.expectedIndex >= 0) {
      EXPECT_EQ(List().Item(c.expectedIndex).substr(17), c.expectedLine);
    }
  }
}

TEST_F(EventLog, ShowStatusWritesNoListLine) {
  form_->ShowStatus("<LOC", "Port state table");
  EXPECT_EQ(List().Count(), 0);
  EXPECT_EQ(form_->StatusBar1->SimpleText(), "<LOC     Port state table");
}
