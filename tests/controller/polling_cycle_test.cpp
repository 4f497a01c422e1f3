#include "agent_fixture.h"

using Bytes = std::vector<uint8_t>;

// A configuration record of an exchange that fits this agent.
const Bytes kConfig = {0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

class PollingCycle : public AgentFixture {
 protected:
  void StartWith(const std::string& ini = "[Set]\r\n") {
    WriteIni(ini);
    Start();
  }
  int64_t Rel(const SentFrame& f) const { return f.AtMs - startMs_; }
};

TEST_F(PollingCycle, InitialRequestsGoOutOneAtATimeAsTheyAreAnswered) {
  StartWith();
  const Bytes expected[] = {{13}, {2}, {0, 40, 0}, {0, 14, 0}};
  const Bytes answers[] = {kConfig, Bytes(8, 0), Bytes(145, 0), {0, 14, 0, 2, 0, 1}};
  for (size_t i = 0; i < 4; ++i) {
    Advance(100);
    ASSERT_EQ(frames_.size(), i + 1);
    EXPECT_EQ(frames_[i].Payload, expected[i]);
    EXPECT_EQ(frames_[i].Number, i + 1) << "the first packet after start carries 1";
    Advance(300);
    EXPECT_EQ(frames_.size(), i + 1) << "one request on the line at a time";
    Answer(answers[i]);
    EXPECT_EQ(form_->FLinkState, lsIdle);
  }
  EXPECT_EQ(CountLines("<COM Configuration record"), 1);
  EXPECT_EQ(CountLines("<COM Information record"), 1);
  EXPECT_EQ(CountLines("<COM PortStruct"), 1);
}

TEST_F(PollingCycle, SilentExchangeTimeline) {
  int failureTraps = 0;
  StartWith();
  form_->TrapSink = [&](TTrapKind k) { failureTraps += k == trapFailure; };
  Advance(100);
  ASSERT_EQ(frames_.size(), 1u);
  const int64_t t0 = frames_[0].AtMs;
  Advance(5800);  // up to t0 + 5.8 s
  ASSERT_EQ(frames_.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(frames_[i].AtMs - t0, 1000 * i) << "transmission " << i;
    EXPECT_EQ(frames_[i].Number, 1) << "a retransmission repeats the number";
    EXPECT_EQ(frames_[i].Payload, Bytes{13});
  }
  EXPECT_EQ(CountLines("!Err Communication with the exchange failed"), 0);
  Advance(100);  // t0 + 5.9 s: the sixth time-out
  EXPECT_EQ(CountLines("!Err Communication with the exchange failed"), 1);
  EXPECT_EQ(failureTraps, 1);
  EXPECT_EQ(form_->FLinkState, lsLinkDown);

  Advance(59900);  // the pause: nothing goes out
  EXPECT_EQ(frames_.size(), 6u);
  Advance(200);  // end of the pause, then 'C' at the next tick
  ASSERT_EQ(frames_.size(), 7u);
  EXPECT_EQ(frames_[6].AtMs - t0, 5900 + 60000 + 100);
  EXPECT_EQ(frames_[6].Payload, Bytes{13});
  EXPECT_EQ(frames_[6].Number, 2);

  Advance(5 * 60000);  // more pauses: reported once
  EXPECT_EQ(CountLines("!Err Communication with the exchange failed"), 1);
  EXPECT_EQ(failureTraps, 1);
}

TEST_F(PollingCycle, TheFirstFrameAfterAFailureReportsRecoveryOnce) {
  int recoveryTraps = 0;
  StartWith("[Timer]\r\nMaxTick=2\r\nMaxError=2\r\nMaxErrorTick=3\r\n");
  form_->TrapSink = [&](TTrapKind k) { recoveryTraps += k == trapRecovery; };
  Advance(1000);  // two time-outs, the pause, 'C' again
  ASSERT_TRUE(form_->FLinkFailed);
  ASSERT_EQ(form_->FLinkState, lsWaitReply);
  AnswerAs(static_cast<uint8_t>(frames_.back().Number + 7), {0});  // wrong number: still a sign of life
  EXPECT_EQ(CountLines("-OK- Communication with the exchange restored"), 1);
  EXPECT_EQ(recoveryTraps, 1);
  EXPECT_FALSE(form_->FLinkFailed);
  EXPECT_EQ(form_->FLinkState, lsWaitReply) << "the wrong number leaves the wait on";
  Answer(kConfig);
  EXPECT_EQ(form_->FLinkState, lsIdle);
  EXPECT_EQ(CountLines("-OK- Communication with the exchange restored"), 1);
}

TEST_F(PollingCycle, FramesOutsideTheWaitStatesChangeNothing) {
  StartWith("[Timer]\r\nMaxTick=1\r\nMaxError=1\r\nMaxErrorTick=50\r\n");
  Advance(200);
  ASSERT_EQ(form_->FLinkState, lsLinkDown);
  form_->FLinkFailed = true;
  AnswerAs(1, kConfig);
  EXPECT_TRUE(form_->FLinkFailed);
  EXPECT_EQ(CountLines("-OK- Communication"), 0);
}

TEST_F(PollingCycle, AReplyToAnEarlierTransmissionIsDropped) {
  StartWith();
  Advance(100);
  Answer(kConfig);  // 'C' answered, packet 1
  Advance(100);          // 'I' goes out as packet 2
  AnswerAs(1, kConfig);
  EXPECT_EQ(form_->FLinkState, lsWaitReply);
  Answer(Bytes(8, 0));
  EXPECT_EQ(form_->FLinkState, lsIdle);
}

TEST_F(PollingCycle, ByteE0OutsideAFrameEndsTheWaitAtTheNextTick) {
  StartWith();
  Advance(100);
  line_->DeliverToAgent({0xE0});
  backend_.RunPending();
  Advance(100);
  EXPECT_EQ(form_->FErrorCount, 1);
  EXPECT_EQ(form_->FLinkState, lsResend);
}

TEST_F(PollingCycle, MaxTickOneEndsEveryWaitOnTheFirstTick) {
  StartWith("[Timer]\r\nMaxTick=1\r\n");
  Advance(100);
  Advance(100);
  EXPECT_EQ(form_->FLinkState, lsResend);
  Advance(100);
  EXPECT_EQ(frames_.size(), 2u);
}

TEST_F(PollingCycle, AClientRequestIsNotRetransmittedNorCountedAsATimeOut) {
  StartWith();
  form_->ClearRequestQueue();
  const uint8_t request[] = {0, 25, 3};
  form_->QueueRequest('T', 1234, request, 3);
  Advance(100);
  ASSERT_EQ(frames_.size(), 1u);
  EXPECT_EQ(frames_[0].Payload, (Bytes{0, 25, 3}));
  EXPECT_EQ(form_->FLinkState, lsWaitClient);
  Advance(5000);
  EXPECT_EQ(frames_.size(), 1u);
  EXPECT_EQ(form_->FErrorCount, 0);
  EXPECT_EQ(form_->FLinkState, lsIdle);
}

TEST_F(PollingCycle, PacketNumbersWrapFrom255To0) {
  StartWith();
  form_->PacketCounter = 255;
  Advance(100);
  Answer(kConfig);
  Advance(100);
  ASSERT_EQ(frames_.size(), 2u);
  EXPECT_EQ(frames_[0].Number, 255);
  EXPECT_EQ(frames_[1].Number, 0);
}

TEST_F(PollingCycle, PersonalAndShortMemSeriesFollowTheInformationRecord) {
  StartWith();
  form_->ClearRequestQueue();
  // An information record announcing 3 Personal records.
  form_->FData->InfoData(cmDecode, Bytes{0, 3, 0x10, 0, 3, 0, 0, 0}.data(), 8);
  form_->QueueRequest('p');
  for (int block = 0; block < 3; ++block) {
    Advance(100);
    ASSERT_EQ(frames_.back().Payload, (Bytes{0, 25, static_cast<uint8_t>(block)}));
    Bytes reply(68, 0);
    Answer(reply);
  }
  EXPECT_EQ(CountLines("<COM Personal2"), 1);
  EXPECT_EQ(form_->FData->FBlockIndex, 0);
  EXPECT_EQ(form_->RequestQueue()->Keys(), std::vector<std::string>{"s"});
}

TEST_F(PollingCycle, AnExchangeThatDoesNotFitStopsPollingWithAnErrorBox) {
  StartWith();
  Advance(100);
  Bytes config = kConfig;
  config[5] = 3;
  Answer(config);
  Advance(100);
  Answer(Bytes(8, 0));
  ASSERT_EQ(backend_.MessageBoxes.size(), 1u);
  EXPECT_EQ(backend_.MessageBoxes[0].Type, mtError);
  EXPECT_EQ(backend_.MessageBoxes[0].Caption, "Error");
  EXPECT_FALSE(form_->TimerTick.Enabled());
  EXPECT_EQ(CountLines("<COM Information record - version mismatch, polling stopped"), 1);
}

TEST_F(PollingCycle, HaltedPollingTransmitsNothingAndResumesWithTheQueue) {
  StartWith();
  form_->Zastavit1Click();
  EXPECT_EQ(form_->Zastavit1->Caption(), "Resume");
  Advance(1000);
  EXPECT_TRUE(frames_.empty());
  form_->Zastavit1Click();
  EXPECT_EQ(form_->Zastavit1->Caption(), "Stop");
  Advance(100);
  ASSERT_EQ(frames_.size(), 1u);
  EXPECT_EQ(frames_[0].Payload, Bytes{13});
}

TEST_F(PollingCycle, ShutdownSendsTheClearedMailboxCounts) {
  StartWith();
  form_->FormDestroy();
  CollectFrames();
  ASSERT_EQ(frames_.size(), 1u);
  EXPECT_EQ(frames_[0].Payload, (Bytes{1, 17, 0}));
  EXPECT_FALSE(line_->Open);
}

TEST_F(PollingCycle, AWriteErrorEndsTheTickAndTheRequestGoesOutLater) {
  StartWith();
  line_->FailWrites = true;
  Advance(300);
  EXPECT_TRUE(frames_.empty());
  line_->FailWrites = false;
  Advance(100);
  ASSERT_FALSE(frames_.empty());
  EXPECT_EQ(frames_.back().Payload, Bytes{13});
}
