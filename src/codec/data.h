#pragma once
// TData, the exchange data codec: builds the request payloads of every
// request letter, decodes the replies into the stores later requests,
// clients and the desktop library need, and renders packets for the log.
//
// Block operations share one shape: (mode, buffer, parameter) -> result.
//   cmBuild:  writes the payload into buffer (kCodecBufferSize bytes) and
//             returns its length; 0 means send nothing.
//   cmDecode: reads the reply payload in buffer, parameter = its length;
//             returns BlockDone / BlockMore / a status (see each operation).
//   cmSkip:   PersonalData and ShortMemData only: the series step without a
//             request.
// A negative length counts as 0; nothing is read past the given length.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "codec/codec_constants.h"
#include "codec/codec_hooks.h"
#include "codec/comm_commands.h"
#include "codec/mailbox_table.h"
#include "codec/render_packet.h"
#include "codec/short_numbers.h"
#include "codec/stored_answer.h"

class TData {
 public:
  explicit TData(TDataHooks hooks = {});

  // Call-control mode: the decoders feed desk while one is attached; nullptr
  // ends the mode. The caller keeps desk alive while attached.
  void SetDesk(IDeskCalls* desk) { desk_ = desk; }
  bool DeskMode() const { return desk_ != nullptr; }

  // --- request letters (build in cmBuild, decode in cmDecode) ---
  // 'A' structure 22 read / keep the whole reply (<= 256 bytes) with its time. -> 0
  int AnData(int mode, uint8_t* buffer, int parameter = 0);
  // 'C' command 13 / store the configuration record. -> status, 0 for an empty
  // reply, or BlockDone. A changed record empties the response cache.
  int ConfigData(int mode, uint8_t* buffer, int parameter = 0);
  // 'F' command 33 / hand the queue data to the desk. -> status or 0
  int QueueData(int mode, uint8_t* buffer, int parameter = 0);
  // 'I' command 2 / store the information record, then check FConfig.
  // -> status, 0 for an empty reply, InfoVersionMismatch, InfoVersionWarning
  // or BlockDone. A changed record empties the response cache.
  int InfoData(int mode, uint8_t* buffer, int parameter = 0);
  // 'S' structure 1 read of the next message slot (0, 1, 2, 3, 0, ...).
  int StatusPollData(int mode, uint8_t* buffer, int parameter = 0);
  // 'U' command 5 while BillingWriteFailed, else 4 / nothing. -> 0
  int BillingData(int mode, uint8_t* buffer, int parameter = 0);
  // 'V' structure 14 read / take the mailbox numbers. -> 0
  int MailboxListData(int mode, uint8_t* buffer, int parameter = 0);
  // 'X' command 14 / keep the whole reply (<= 12 bytes) with its time. -> 0
  int SwData(int mode, uint8_t* buffer, int parameter = 0);
  // 'Y' structure 47 read for port index parameter / hand the CLIP data and
  // the stored port states to the desk. -> status or 0
  int ClipUdataData(int mode, uint8_t* buffer, int parameter = 0);
  // 'p' structure 25 read, block FBlockIndex / store Personal record
  // FBlockIndex. -> BlockMore while more records follow, else BlockDone;
  // 0 for an error status or an empty reply.
  int PersonalData(int mode, uint8_t* buffer, int parameter = 0);
  // 's' structure 24 read, block FBlockIndex, or nothing when the block is
  // not needed / store the block. -> BlockMore while FBlockIndex < 66, else
  // the short numbers go to the desk and BlockDone; 0 for an error status.
  int ShortMemData(int mode, uint8_t* buffer, int parameter = 0);
  // 'x' structure 40 read / store the port structure. -> status or 0
  int PortStructData(int mode, uint8_t* buffer, int parameter = 0);
  // '#' the command in ring slot parameter (0 when the slot or kind is
  // unknown) / -> status.
  int CommCommandData(int mode, uint8_t* buffer, int parameter = 0);

  // 'M': 1, 17, 0, then the four counters of each mailbox. -> length
  int MailboxCountsData(uint8_t* buffer) const;
  // 1, 1, index and 251 zero bytes: empties message slot index. -> 254
  int BuildStructureOneWrite(uint8_t* buffer, uint8_t index) const;

  // Copies a desk command into the ring; returns the slot for the '#' request.
  int AddCommCommand(const TStates& record) { return FCommRing.Add(record); }

  // A client's raw request: a write of structure 13, 18 or 24 in
  // call-control mode restarts TimerShorts.
  void NoteStructureWrite(const uint8_t* payload, int length);

  // Whether block n of the ShortMem series is needed.
  bool ShortMemUsed(int block) const;

  // Mailbox counters kept by the mail gateway.
  uint8_t FindMailbox(std::string_view number) const { return FMailboxes.Find(number); }
  void SetMailboxCounts(std::string_view number, int sms, int fax, int voice, int flag) {
    FMailboxes.SetCounts(number, sms, fax, voice, flag);
  }
  void AddMailboxCounts(std::string_view number, int sms, int fax, int voice, int flag) {
    FMailboxes.AddCounts(number, sms, fax, voice, flag);
  }
  void ClearMailboxCounts() { FMailboxes.ClearCounts(); }

  // The log line of a payload, with the language texts of the hooks.
  void RenderPacket(TPacketDirection direction, std::string& text, const uint8_t* payload,
                    int count, uint8_t requestType, bool dump) const;

  // Effective number of Personal records: FInfo byte 3, at most 30.
  int PersonalCount() const;
  // FInfo byte 2: subtracted from a port index for structure 47.
  uint8_t PortBase() const { return FInfo[2]; }
  uint8_t NextStatusSlot() const { return statusSlot_; }

  // --- stores, filled by the decoders ---
  std::array<uint8_t, 16> FConfig{};
  std::array<uint8_t, 7> FInfo{};
  TStoredAnswer<256> FAnData;
  TStoredAnswer<12> FSwData;
  std::array<uint8_t, 144> FPortStruct{};
  TPersonalTable FPersonal;
  TShortMemory FShortMem;
  TMailboxTable FMailboxes;
  TCommRing FCommRing;
  // The current Personal record or ShortMem block; the controller moves it.
  int FBlockIndex = 0;
  // The last billing-file append failed (the next 'U' asks again).
  bool BillingWriteFailed = false;

 private:
  // Stores bytes into a record held for change detection; true when they
  // differed from what was held.
  static bool StoreChanged(uint8_t* store, const uint8_t* bytes, int length);
  int DecodeAn(const uint8_t* reply, int length);
  int DecodeSw(const uint8_t* reply, int length);
  int DecodeConfig(const uint8_t* reply, int length);
  int DecodeInfo(const uint8_t* reply, int length);
  int DecodePortStruct(const uint8_t* reply, int length);
  int DecodePersonal(const uint8_t* reply, int length);
  int DecodeShortMem(const uint8_t* reply, int length);
  int DecodeMailboxList(const uint8_t* reply, int length);
  int DecodeClipUdata(const uint8_t* reply, int length);
  int DecodeQueue(const uint8_t* reply, int length);
  int SeriesPersonalResult() const;
  int SeriesShortMemResult();
  TDateTime Now() const;
  void ClearCache() const;

  TDataHooks hooks_;
  IDeskCalls* desk_ = nullptr;
  uint8_t statusSlot_ = 0;
};
