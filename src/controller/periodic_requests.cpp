// The slower timers that queue requests, and the billing download.
#include "codec/billing_file.h"
#include "controller/main_form.h"
#include "platform/application.h"

#include <cmath>

namespace {
// Whole milliseconds since a time stamp: a day fraction of exactly the
// time-out must not count as more than it.
int64_t MsSince(TDateTime then) { return std::llround((Application->Now() - then) * kMsPerDay); }
}  // namespace

void TMainForm::QueueFromTimer(char letter, int noteText) {
  if (Com_LocOut && TimerTick.Enabled()) LogEvent("<LOC", Text(noteText));
  QueueRequest(letter);
}

void TMainForm::TimerANTimer() {
  QueueFromTimer('A', 108);
  if (FDeskActive) QueueRequest('F');
}
void TMainForm::TimerSWTimer() { QueueFromTimer('X', 104); }
void TMainForm::TimerSMSTimer() { QueueFromTimer('S', 109); }
void TMainForm::TimerMSGTimer() { QueueFromTimer('M', 113); }
void TMainForm::TimerURTimer() { QueueFromTimer('U', 107); }

void TMainForm::TimerShortsTimer() {
  if (FData) FData->FBlockIndex = 0;
  QueueRequest('p');
  TimerShorts.SetEnabled(false);
}

void TMainForm::CheckAnTimeOut() {
  if (MsSince(FAnAskedAt) > ANTimeOut * 1000LL) TimerAN.SetEnabled(false);
}

void TMainForm::CheckSwTimeOut() {
  if (MsSince(FSwAskedAt) > SWTimeOut * 1000LL) TimerSW.SetEnabled(false);
}

void TMainForm::HandleBillingReply(const uint8_t* payload, int n) {
  std::string text = n > 1 ? std::string(reinterpret_cast<const char*>(payload + 1),
                                         static_cast<size_t>(n - 1))
                           : std::string();
  if (text.empty()) {
    if (Com_PureIn) LogEvent("<COM", Text(128));
    TimerUR.SetInterval(URIntervalBezDat);
    return;
  }
  TimerUR.SetInterval(URInterval);
  bool written = AppendBillingRecord(UctFile, text);
  // The next 'U' asks again (command 5) until the record is in the file.
  FData->BillingWriteFailed = !written;
  if (!written) return;
  if (Com_In) LogEvent("<COM", text);
  FBillingList.Add(text);
}
