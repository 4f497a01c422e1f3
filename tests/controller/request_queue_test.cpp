#include "controller/request_queue.h"

#include <gtest/gtest.h>

using Keys = std::vector<std::string>;

TEST(RequestQueue, OwnLettersAreQueuedOnceButSeriesAndCommandsRepeat) {
  TRequestQueue q;
  for (char c : {'A', 'A', 'p', 'p', '#', '#', 'Y', 'Y', 's', 's'}) q.Queue(c, 0);
  EXPECT_EQ(q.Keys(), (Keys{"A", "p", "p", "#", "#", "Y", "Y", "s", "s"}));
}

TEST(RequestQueue, KeysCompareWithoutLetterCase) {
  TRequestQueue q;
  q.Queue('s', 0);
  q.Queue('x', 0);
  EXPECT_FALSE(q.Queue('S', 0));
  EXPECT_FALSE(q.Queue('X', 0));
  EXPECT_EQ(q.Keys(), (Keys{"s", "x"}));
}

TEST(RequestQueue, ASecondClientRequestReplacesTheFirstAtTheEnd) {
  TRequestQueue q;
  const uint8_t first[] = {0, 25, 3};
  const uint8_t second[] = {14};
  q.Queue('T', 1234, first, 3);
  q.Queue('C', 0);
  q.Queue('T', 1234, second, 1);
  ASSERT_EQ(q.Keys(), (Keys{"C", "T1234"}));
  q.RemoveHead();
  const TRequestRecord& r = *q.Head().Record;
  EXPECT_EQ(r.Letter, 'T');
  EXPECT_EQ(r.Command, 14);
  EXPECT_EQ(r.Owner, 1234);
  EXPECT_EQ(r.Length, 1);
}

TEST(RequestQueue, TheHundredAndFirstEntryPushesOutTheOldest) {
  TRequestQueue q;
  for (int i = 0; i < 101; ++i) q.Queue('p', i);
  EXPECT_EQ(q.Count(), 100);
  EXPECT_EQ(q.Head().Value, 1);
}

TEST(RequestQueue, ClientRequestsThatARecordCannotHoldAreRefused) {
  TRequestQueue q;
  std::vector<uint8_t> big(513, 0);
  EXPECT_FALSE(q.Queue('T', 1, big.data(), 513));
  EXPECT_FALSE(q.Queue('T', 1, big.data(), 0));
  EXPECT_TRUE(q.Queue('T', 1, big.data(), 512));
  EXPECT_EQ(q.Count(), 1);
}

TEST(PendingRequests, OneRecordPerPacketNumberTakenOnce) {
  TPendingRequests p;
  const uint8_t a[] = {13};
  const uint8_t b[] = {2};
  p.Store(7, 'C', a, 1, 0);
  p.Store(7, 'I', b, 1, 0);
  EXPECT_EQ(p.Count(), 1);
  auto r = p.Take(7);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Letter, 'I');
  EXPECT_EQ(p.Take(7), nullptr);
  EXPECT_EQ(p.Take(8), nullptr);
}

TEST(PendingRequests, KeepsAtMost512Bytes) {
  TPendingRequests p;
  std::vector<uint8_t> big(600, 9);
  p.Store(1, 'T', big.data(), 600, 5);
  auto r = p.Take(1);
  EXPECT_EQ(r->Length, 512);
  EXPECT_EQ(r->Owner, 5);
}
