#include "platform/timer.h"

#include <gtest/gtest.h>

#include "platform/application.h"
#include "platform/virtual/virtual_backend.h"

class TimerTest : public ::testing::Test {
 protected:
  VirtualBackend backend_;
  TApplication app_{backend_, {"/tmp/x"}};
};

TEST_F(TimerTest, EnablingARunningTimerKeepsItsCountdown) {
  TTimer t(1000);
  std::vector<int64_t> fired;
  t.OnTimer = [&] { fired.push_back(backend_.ElapsedMs()); };
  t.SetEnabled(true);
  backend_.AdvanceMs(600);
  t.SetEnabled(true);
  backend_.AdvanceMs(1500);
  EXPECT_EQ(fired, (std::vector<int64_t>{1000, 2000}));
}

TEST_F(TimerTest, ChangingTheIntervalOfARunningTimerStartsItAnew) {
  TTimer t(1000);
  std::vector<int64_t> fired;
  t.OnTimer = [&] { fired.push_back(backend_.ElapsedMs()); };
  t.SetEnabled(true);
  backend_.AdvanceMs(600);
  t.SetInterval(300);
  backend_.AdvanceMs(700);
  EXPECT_EQ(fired, (std::vector<int64_t>{900, 1200}));
}

TEST_F(TimerTest, ATimerStoppedByItsOwnHandlerFiresOnce) {
  TTimer t(100);
  int count = 0;
  t.OnTimer = [&] {
    ++count;
    t.SetEnabled(false);
  };
  t.SetEnabled(true);
  backend_.AdvanceMs(1000);
  EXPECT_EQ(count, 1);
}

TEST(DateTime, DaysSince30December1899) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526.0);
  TimeOfDay t = DecodeTime(EncodeDate(2026, 12, 11) + EncodeTime(23, 59, 59, 999));
  EXPECT_EQ(t.Hour, 23);
  EXPECT_EQ(t.Minute, 59);
  EXPECT_EQ(t.Second, 59);
  EXPECT_EQ(t.Millisecond, 999);
}

TEST(FileNames, SettingsFileBesideTheExecutable) {
  EXPECT_EQ(ChangeFileExt("/opt/vesta/agent.exe", ".INI"), "/opt/vesta/agent.INI");
  EXPECT_EQ(ChangeFileExt("build/vesta-agent", ".INI"), "build/vesta-agent.INI");
  EXPECT_EQ(ChangeFileExt("/a.b/vesta-agent", ".INI"), "/a.b/vesta-agent.INI");
  EXPECT_EQ(ExtractFileDir("/opt/vesta/agent"), "/opt/vesta");
}
