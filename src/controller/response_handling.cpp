// Frames from the exchange: matching them to the pending request and acting
// on the reply by the request's letter.
#include <cstdio>

#include "controller/main_form.h"
#include "dialogs/version_text.h"
#include "platform/application.h"

namespace {

std::string Hex(unsigned value, int minDigits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", minDigits, value);
  return buf;
}
}  // namespace

void TMainForm::CommPax1RxPacket(TCommPax&, int count, const uint8_t* data) {
  if (FLinkState != lsWaitReply && FLinkState != lsWaitClient) return;
  if (FLinkFailed) {
    LogEvent("-OK-", Text(117));
    SendTrap(trapRecovery);
    FLinkFailed = false;
  }
  if (count < 1 || data[0] != FLastSent.PacketNumber) return;
  std::unique_ptr<TRequestRecord> request = TakePendingRequest(data[0]);
  if (!request) return;
  HandleReply(*request, data + 1, count - 1);
  FLinkState = lsIdle;
}

void TMainForm::CommPax1RxChr(TCommPax&, uint8_t chr) {
  if (chr == 0xE0) FTickCount = MaxTick;
}

void TMainForm::HandleReply(TRequestRecord& request, const uint8_t* payload, int n) {
  if (!FData) return;
  // The decoders take a writable buffer; the reply is copied so that the
  // frame's receive buffer stays untouched.
  std::vector<uint8_t> reply(payload, payload + n);
  uint8_t* p = reply.data();
  switch (request.Letter) {
    case 'C': HandleConfigReply(p, n); break;
    case 'I': HandleInfoReply(p, n); break;
    case 'V': HandleMailboxListReply(p, n); break;
    case 'x':
      LogEvent("<COM", "PortStruct");
      FData->PortStructData(cmDecode, p, n);
      break;
    case 'p':
      LogEvent("<COM", "Personal" + std::to_string(FData->FBlockIndex));
      if (FData->PersonalData(cmDecode, p, n) == BlockMore) {
        ++FData->FBlockIndex;
        QueueRequest('p');
      } else {
        FData->FBlockIndex = 0;
        QueueRequest('s');
      }
      break;
    case 's':
      LogEvent("<COM", "ShortMem" + std::to_string(FData->FBlockIndex));
      if (FData->ShortMemData(cmDecode, p, n) == BlockMore) {
        ++FData->FBlockIndex;
        QueueRequest('s');
      }
      break;
    case 'A':
      FData->AnData(cmDecode, p, n);
      if (Com_In) LogEvent("<COM", Text(102));
      break;
    case 'X':
      FData->SwData(cmDecode, p, n);
      LogEvent("<COM", Text(104));
      break;
    case 'F':
      FData->QueueData(cmDecode, p, n);
      LogEvent("<COM", "Fronta");
      break;
    case 'Y':
      FData->ClipUdataData(cmDecode, p, n);
      LogEvent("<COM", "CLIP-UDATA");
      break;
    case '#': FData->CommCommandData(cmDecode, p, n); break;
    case 'U':
      FData->BillingData(cmDecode, p, n);
      HandleBillingReply(p, n);
      break;
    default:
      // Message slots ('S'), mailbox counts ('M') and client answers ('T')
      // are handled by their own subsystems.
      break;
  }
}

void TMainForm::HandleConfigReply(uint8_t* payload, int n) {
  int res = FData->ConfigData(cmDecode, payload, n);
  if (res == BlockDone) {
    if (Com_In) LogEvent("<COM", Text(100));
  } else {
    LogEvent("<COM", Text(100) + " " + Text(138) + std::to_string(res));
  }
}

void TMainForm::HandleInfoReply(uint8_t* payload, int n) {
  int res = FData->InfoData(cmDecode, payload, n);
  std::string version = AgentVersionText() + "    " + Text(140) + Hex(FData->FInfo[0], 1) +
                        "." + Hex(FData->FInfo[1], 2) + "\n";
  std::string suffix;
  if (res == BlockDone) {
    suffix = " " + Text(145);
  } else if (res == InfoVersionMismatch) {
    TimerTick.SetEnabled(false);
    MessageDlg(Text(139) + version + Text(141), Text(137), mtError, mbOK);
    suffix = Text(142);
  } else if (res == InfoVersionWarning) {
    TimerTick.SetEnabled(false);
    if (MessageDlg(Text(139) + version + Text(143), Text(123), mtConfirmation, mbYesNo) == mrYes)
      TimerTick.SetEnabled(true);
    suffix = Text(144);
  } else {
    suffix = " " + Text(138) + std::to_string(res);
  }
  if (Com_In || res != BlockDone) LogEvent("<COM", Text(101) + suffix);
}

void TMainForm::HandleMailboxListReply(uint8_t* payload, int n) {
  int status = n > 0 ? payload[0] : 0;
  if (n > 0 && status == 0 && n != 3) {
    FData->MailboxListData(cmDecode, payload, n);
    if (Com_In) LogEvent("<COM", Text(106));
    // The mail gateway is not part of this build, so TimerMSG and TimerSMS
    // stay stopped.
    if (ReadUct) TimerUR.SetEnabled(true);
  } else if (Com_In) {
    LogEvent("<COM", Text(105) + std::to_string(status));
  }
}
