// The block operations by request letter: the request payloads are built
// here, the replies handed to the decoders of data_replies.cpp.
#include <cstring>
#include <initializer_list>

#include "codec/data.h"

namespace {
int Payload(uint8_t* buffer, std::initializer_list<uint8_t> bytes) {
  int length = 0;
  for (uint8_t b : bytes) buffer[length++] = b;
  return length;
}

// A negative length, or no buffer, counts as an empty reply.
int ReplyLength(const uint8_t* buffer, int length) { return buffer && length > 0 ? length : 0; }

constexpr uint8_t kRead = 0, kWrite = 1;
constexpr int kStructureOneWriteLength = 254;
}  // namespace

int TData::AnData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {kRead, 22, 0}) : 0;
  if (mode == cmDecode) return DecodeAn(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::ConfigData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {13}) : 0;
  if (mode == cmDecode) return DecodeConfig(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::QueueData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {33}) : 0;
  if (mode == cmDecode) return DecodeQueue(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::InfoData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {2}) : 0;
  if (mode == cmDecode) return DecodeInfo(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::StatusPollData(int mode, uint8_t* buffer, int) {
  if (mode != cmBuild || !buffer) return 0;
  const int length = Payload(buffer, {kRead, 1, statusSlot_});
  statusSlot_ = static_cast<uint8_t>((statusSlot_ + 1) % 4);
  return length;
}

int TData::BillingData(int mode, uint8_t* buffer, int) {
  if (mode != cmBuild || !buffer) return 0;
  // 5 asks again for the record whose append failed.
  return Payload(buffer, {static_cast<uint8_t>(BillingWriteFailed ? 5 : 4)});
}

int TData::MailboxListData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {kRead, 14, 0}) : 0;
  if (mode == cmDecode) return DecodeMailboxList(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::SwData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {14}) : 0;
  if (mode == cmDecode) return DecodeSw(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::ClipUdataData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) {
    if (!buffer) return 0;
    return Payload(buffer, {kRead, 47, static_cast<uint8_t>(parameter - PortBase())});
  }
  if (mode == cmDecode) return DecodeClipUdata(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::PersonalData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild)
    return buffer ? Payload(buffer, {kRead, 25, static_cast<uint8_t>(FBlockIndex)}) : 0;
  if (mode == cmDecode) return DecodePersonal(buffer, ReplyLength(buffer, parameter));
  if (mode == cmSkip) return SeriesPersonalResult();
  return 0;
}

int TData::ShortMemData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) {
    if (!buffer || !ShortMemUsed(FBlockIndex)) return 0;
    return Payload(buffer, {kRead, 24, static_cast<uint8_t>(FBlockIndex)});
  }
  if (mode == cmDecode) return DecodeShortMem(buffer, ReplyLength(buffer, parameter));
  if (mode == cmSkip) return SeriesShortMemResult();
  return 0;
}

int TData::PortStructData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) return buffer ? Payload(buffer, {kRead, 40, 0}) : 0;
  if (mode == cmDecode) return DecodePortStruct(buffer, ReplyLength(buffer, parameter));
  return 0;
}

int TData::CommCommandData(int mode, uint8_t* buffer, int parameter) {
  if (mode == cmBuild) {
    const TStates* record = FCommRing.Slot(parameter);
    return buffer && record ? BuildCommCommand(*record, buffer) : 0;
  }
  if (mode == cmDecode) return ReplyLength(buffer, parameter) > 0 ? buffer[0] : 0;
  return 0;
}

int TData::MailboxCountsData(uint8_t* buffer) const {
  return buffer ? FMailboxes.BuildCountsPayload(buffer) : 0;
}

int TData::BuildStructureOneWrite(uint8_t* buffer, uint8_t index) const {
  if (!buffer) return 0;
  std::memset(buffer, 0, kStructureOneWriteLength);
  Payload(buffer, {kWrite, 1, index});
  return kStructureOneWriteLength;
}
