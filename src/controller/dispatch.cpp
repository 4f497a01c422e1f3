// Turning the head of the request queue into a transmission.
#include "controller/main_form.h"

namespace {

using Builder = int (TData::*)(int mode, uint8_t* buffer, int parameter);

struct DispatchRow {
  char Letter;
  Builder Build;
  int NoteText;           // language text of the note, 0 when the note is fixed
  const char* FixedNote;  // the note when no language text is used
  bool LocLine;           // the note also goes to the list (with Com_LocOut)
  bool PassesValue;       // the builder gets the entry's attached value
};

constexpr DispatchRow kRows[] = {
    {'A', &TData::AnData, 108, nullptr, false, false},
    {'C', &TData::ConfigData, 100, nullptr, true, false},
    {'F', &TData::QueueData, 147, nullptr, false, false},
    {'I', &TData::InfoData, 101, nullptr, true, false},
    {'S', &TData::StatusPollData, 109, nullptr, false, false},
    {'U', &TData::BillingData, 107, nullptr, false, false},
    {'V', &TData::MailboxListData, 103, nullptr, true, false},
    {'X', &TData::SwData, 104, nullptr, false, false},
    {'x', &TData::PortStructData, 0, "PortStruct", true, false},
    {'p', &TData::PersonalData, 0, "Personal", false, false},
    {'s', &TData::ShortMemData, 0, "ShortMem", false, false},
    {'Y', &TData::ClipUdataData, 0, "UDATA", false, true},
    {'#', &TData::CommCommandData, 0, "COMM", false, true},
};

const DispatchRow* FindRow(char letter) {
  for (const auto& row : kRows)
    if (row.Letter == letter) return &row;
  return nullptr;
}

}  // namespace

void TMainForm::DispatchHead() {
  // Taken off the queue first, so that a request the dispatch queues can
  // never push the entry being dispatched out of a full queue.
  TRequestQueue::Entry head = std::move(FRequestQueue->Head());
  FRequestQueue->RemoveHead();
  char letter = head.Letter();
  try {
    if (letter == 'T') {
      if (head.Record) DispatchClientRequest(*head.Record);
    } else if (letter == 'M') {
      DispatchMailboxCounts();
    } else if (letter == 'p' || letter == 's') {
      DispatchSeriesBlock(letter);
    } else {
      DispatchOwnRequest(letter, head.Value);
    }
  } catch (const ECommError&) {
    // The line failed while writing: the request goes out at a later tick.
    FRequestQueue->PutBack(std::move(head));
    throw;
  }
  FTickCount = 0;
}

void TMainForm::DispatchOwnRequest(char letter, int value) {
  const DispatchRow* row = FindRow(letter);
  if (!row || !FData) return;
  uint8_t payload[kCodecBufferSize];
  int length = (FData.get()->*row->Build)(cmBuild, payload, row->PassesValue ? value : 0);
  // Nothing to send (an empty command slot): waiting for a reply would only
  // time out and retransmit the packet before it.
  if (length <= 0) return;
  StorePendingRequest(letter, payload, length, 0);
  std::string note = row->NoteText ? Text(row->NoteText) : row->FixedNote;
  if (row->NoteText || row->LocLine) {
    if (row->LocLine && FErrorCount == 0 && Com_LocOut) LogEvent("<LOC", note);
    ShowStatus("<LOC", note);
  }
  TransmitPacket(">COM", note, payload, length);
  FLinkState = lsWaitReply;
}

void TMainForm::DispatchSeriesBlock(char letter) {
  const DispatchRow* row = FindRow(letter);
  if (!FData) return;
  uint8_t payload[kCodecBufferSize];
  int length = (FData.get()->*row->Build)(cmBuild, payload, 0);
  if (length <= 0) {
    // A block that is not needed: step over it without a transmission.
    if ((FData.get()->*row->Build)(cmSkip, payload, 0) == BlockMore) {
      ++FData->FBlockIndex;
      QueueRequest(letter);
    }
    return;
  }
  StorePendingRequest(letter, payload, length, 0);
  std::string note = row->FixedNote + std::to_string(FData->FBlockIndex);
  ShowStatus("<LOC", note);
  TransmitPacket(">COM", note, payload, length);
  FLinkState = lsWaitReply;
}

void TMainForm::DispatchMailboxCounts() {
  ShowStatus("<LOC", Text(113));
  // The mailbox changes come from the mail gateway, which is not part of
  // this build: there is never a change to send.
  if (Extent) LogEvent("<602", Text(115));
}

void TMainForm::DispatchClientRequest(TRequestRecord& record) {
  StorePendingRequest('T', record.Data, record.Length, record.Owner);
  std::string rendering;
  if (FData) {
    FData->RenderPacket(TPacketDirection::Request, rendering, record.Data, record.Length,
                        record.Data[0], false);
    FData->NoteStructureWrite(record.Data, record.Length);
  }
  TransmitPacket(">COM", rendering, record.Data, record.Length);
  if (Com_Out && !Com_LocOut) LogEvent(">COM", rendering);
  FLinkState = lsWaitClient;
}
