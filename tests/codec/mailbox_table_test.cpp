// The mailbox table the mail gateway keeps its counts in.
#include <gtest/gtest.h>

#include <vector>

#include "codec/data.h"

namespace {
class MailboxTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Mailboxes 21, 305, 21 (a repeated number), 4444.
    std::vector<uint8_t> list = {0, 14, 0, 2, 1, 0, 0, 3, 10, 5, 0, 2, 1, 0, 0, 4, 4, 4, 4};
    data_.MailboxListData(cmDecode, list.data(), static_cast<int>(list.size()));
  }
  const TMailboxEntry& Entry(int i) { return data_.FMailboxes.Entry(i); }
  TData data_;
};
}  // namespace

TEST_F(MailboxTableTest, FindGivesTheFirstEntryWithExactlyThatNumber) {
  EXPECT_EQ(data_.FMailboxes.Count(), 4);
  EXPECT_EQ(data_.FindMailbox("21"), 0);
  EXPECT_EQ(data_.FindMailbox("305"), 1);
  EXPECT_EQ(data_.FindMailbox("4444"), 3);
  EXPECT_EQ(data_.FindMailbox("2"), 255);
  EXPECT_EQ(data_.FindMailbox("44444"), 255);
  EXPECT_EQ(data_.FindMailbox(""), 255);
}

TEST_F(MailboxTableTest, SetStoresSmsVoiceFaxFlagInEntryOrder) {
  data_.SetMailboxCounts("305", /*sms*/ 1, /*fax*/ 2, /*voice*/ 3, /*flag*/ 4);
  EXPECT_EQ(Entry(1).Sms, 1);
  EXPECT_EQ(Entry(1).Voice, 3);
  EXPECT_EQ(Entry(1).Fax, 2);
  EXPECT_EQ(Entry(1).Flag, 4);
}

TEST_F(MailboxTableTest, AddWrapsEachCounterModulo256) {
  data_.AddMailboxCounts("4444", -1, 1, 255, 0);
  data_.AddMailboxCounts("4444", 0, 0, 2, 0);
  EXPECT_EQ(Entry(3).Sms, 255);
  EXPECT_EQ(Entry(3).Fax, 1);
  EXPECT_EQ(Entry(3).Voice, 1);
}

TEST_F(MailboxTableTest, UnknownNumberChangesNothingAndClearZeroesAll) {
  data_.SetMailboxCounts("21", 5, 5, 5, 5);
  data_.SetMailboxCounts("999", 9, 9, 9, 9);
  data_.AddMailboxCounts("999", 9, 9, 9, 9);
  EXPECT_EQ(Entry(0).Sms, 5);
  EXPECT_EQ(Entry(2).Sms, 0);  // the repeated number is never reached
  data_.ClearMailboxCounts();
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Entry(i).Sms + Entry(i).Voice + Entry(i).Fax + Entry(i).Flag, 0);
}

TEST_F(MailboxTableTest, ANewListKeepsTheCountersOfEachPosition) {
  data_.SetMailboxCounts("305", 7, 0, 0, 0);
  std::vector<uint8_t> list = {0, 14, 0, 9, 0, 0, 0, 8, 0, 0, 0};
  data_.MailboxListData(cmDecode, list.data(), static_cast<int>(list.size()));
  EXPECT_EQ(data_.FMailboxes.Count(), 2);
  EXPECT_STREQ(Entry(1).Number, "8");
  EXPECT_EQ(Entry(1).Sms, 7);
}
