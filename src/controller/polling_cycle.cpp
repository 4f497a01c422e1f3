// The request queue and the 100 ms polling cycle.
#include <algorithm>
#include <cstring>

#include "controller/main_form.h"

bool TMainForm::QueueRequest(char letter, int owner, const uint8_t* bytes, int length) {
  if (!FRequestQueue) return false;
  return FRequestQueue->Queue(letter, owner, bytes, length);
}

void TMainForm::ClearRequestQueue() {
  if (FRequestQueue) FRequestQueue->Clear();
}

void TMainForm::QueueInitialRequests() {
  ClearRequestQueue();
  for (char letter : {'C', 'I', 'x', 'V'}) QueueRequest(letter);
}

void TMainForm::StorePendingRequest(char letter, const uint8_t* bytes, int length, int owner) {
  if (FPendingRequests) FPendingRequests->Store(PacketCounter, letter, bytes, length, owner);
}

std::unique_ptr<TRequestRecord> TMainForm::TakePendingRequest(int packetNumber) {
  return FPendingRequests ? FPendingRequests->Take(packetNumber) : nullptr;
}

void TMainForm::TransmitPacket(const std::string& tag, const std::string& text,
                               const uint8_t* bytes, int length) {
  // A payload larger than the last-sent record could not be retransmitted.
  if (length <= 0 || length > TSendZal::kMaxData || !CommPax1->Enabled()) return;
  FLastSent.Tag = tag;
  FLastSent.Text = text;
  FLastSent.Length = length;
  FLastSent.PacketNumber = PacketCounter;
  std::memcpy(FLastSent.Data, bytes, static_cast<size_t>(length));
  PacketCounter = static_cast<uint8_t>(PacketCounter + 1);
  RetransmitLastPacket();
}

void TMainForm::RetransmitLastPacket() {
  ShowStatus(FLastSent.Tag, FLastSent.Text);
  if (Com_LocOut) LogEvent(FLastSent.Tag, FLastSent.Text);
  CommPax1->WritePacket(FLastSent.PacketNumber, FLastSent.Data, FLastSent.Length);
  FLinkState = !FLastSent.Text.empty() && FLastSent.Text[0] == 'T' ? lsWaitClient : lsWaitReply;
  FTickCount = 0;
}

void TMainForm::TimerTickTimer() {
  if (TickBusy) return;
  TickBusy = true;
  try {
    if (FHideAtStart && TrayMessage(NIM_ADD)) {
      TrayMessage(NIM_MODIFY);
      FInTray = true;
      FHideAtStart = false;
    }
    if (CommPax1->Enabled()) AdvanceWait();
  } catch (const ECommError& e) {
    // A write error ends this tick; the next one runs as usual.
    ShowStatus("!Err", e.what());
  }
  TickBusy = false;
}

void TMainForm::AdvanceWait() {
  switch (FLinkState) {
    case lsIdle:
      if (!FDeskActive) CheckAnTimeOut();
      CheckSwTimeOut();
      if (FRequestQueue && !FRequestQueue->Empty()) DispatchHead();
      break;
    case lsWaitReply:
      if (++FTickCount < MaxTick) break;
      ++FErrorCount;
      if (FErrorCount < MaxError) {
        FLinkState = lsResend;
      } else {
        FLinkState = lsLinkDown;
        if (!FLinkFailed) {
          LogEvent("!Err", Text(116));
          SendTrap(trapFailure);
        }
      }
      FTickCount = 0;
      break;
    case lsResend:
      RetransmitLastPacket();
      break;
    case lsLinkDown:
      if (++FTickCount < MaxErrorTick) break;
      FLinkState = lsIdle;
      QueueInitialRequests();
      FErrorCount = 0;
      FLinkFailed = true;
      break;
    case lsWaitClient:
      if (++FTickCount >= MaxTick) FLinkState = lsIdle;
      break;
    default:
      break;
  }
}

void TMainForm::SendTrap(TTrapKind kind) {
  if (TrapSink) TrapSink(kind);
}
