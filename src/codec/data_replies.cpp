// The decoders: every reply is read within its given length; an empty reply
// (no status byte) changes nothing.
#include <algorithm>
#include <array>
#include <cstring>

#include "codec/data.h"
#include "vesta/desksrvr.h"

namespace {
// Structure replies: status, structure, index, contents.
constexpr int kStructureHeader = 3;
// 'Y' replies: the header, 8 further bytes, then the CLIP user data.
constexpr int kClipOffset = 11;
// Replies are at most one frame's payload.
constexpr int kMaxReplyPayload = 512;

int ContentLength(int length, int header) { return std::max(length - header, 0); }
}  // namespace

int TData::DecodeAn(const uint8_t* reply, int length) {
  // Kept whatever its status: clients are answered from it.
  FAnData.Keep(reply, length, Now());
  return 0;
}

int TData::DecodeSw(const uint8_t* reply, int length) {
  FSwData.Keep(reply, length, Now());
  return 0;
}

int TData::DecodeConfig(const uint8_t* reply, int length) {
  if (length == 0) return 0;
  if (reply[0] != 0) return reply[0];
  const int n = std::min<int>(length - 1, FConfig.size());
  if (StoreChanged(FConfig.data(), reply + 1, n)) ClearCache();
  return BlockDone;
}

int TData::DecodeInfo(const uint8_t* reply, int length) {
  if (length == 0) return 0;
  if (reply[0] != 0) return reply[0];
  const int n = std::min<int>(length - 1, FInfo.size());
  if (StoreChanged(FInfo.data(), reply + 1, n)) ClearCache();
  if (desk_) desk_->PutInfo(FInfo.data());
  if (FConfig[4] != 2) return InfoVersionMismatch;
  if (FConfig[5] != 0) return InfoVersionWarning;
  return BlockDone;
}

int TData::DecodePortStruct(const uint8_t* reply, int length) {
  if (length == 0) return 0;
  if (reply[0] != 0) return reply[0];
  const int n = std::min<int>(ContentLength(length, kStructureHeader), FPortStruct.size());
  if (n == 0) return 0;
  std::memcpy(FPortStruct.data(), reply + kStructureHeader, n);
  if (desk_) desk_->PutPorts(FPortStruct.data());
  return 0;
}

int TData::DecodePersonal(const uint8_t* reply, int length) {
  if (length == 0 || reply[0] != 0) return 0;
  FPersonal.Store(FBlockIndex, reply + kStructureHeader, ContentLength(length, kStructureHeader));
  return SeriesPersonalResult();
}

int TData::DecodeShortMem(const uint8_t* reply, int length) {
  if (length == 0 || reply[0] != 0) return 0;
  FShortMem.Store(FBlockIndex, reply + kStructureHeader, ContentLength(length, kStructureHeader));
  return SeriesShortMemResult();
}

int TData::SeriesPersonalResult() const {
  return FBlockIndex < PersonalCount() - 1 ? BlockMore : BlockDone;
}

int TData::SeriesShortMemResult() {
  if (FBlockIndex < kShortMemBlocks) return BlockMore;
  if (desk_) desk_->PutShorts(FShortMem.Data(), FPersonal.Data());
  return BlockDone;
}

int TData::DecodeMailboxList(const uint8_t* reply, int length) {
  if (length == 0 || reply[0] != 0) return 0;
  FMailboxes.SetNumbers(reply + kStructureHeader, ContentLength(length, kStructureHeader) / 4);
  if (desk_) {
    std::array<char, 4 * TMailboxTable::kCapacity> numbers{};
    FMailboxes.PackNumbers(numbers.data());
    desk_->PutLines(FMailboxes.Count(), numbers.data());
  }
  return 0;
}

int TData::DecodeClipUdata(const uint8_t* reply, int length) {
  if (length == 0) return 0;
  if (reply[0] != 0) return reply[0];
  if (!desk_ || length < kClipOffset) return 0;
  // The library reads a zero-terminated text: hand it a terminated copy.
  std::array<char, kMaxReplyPayload + 1> clip{};
  const int n = std::min(length - kClipOffset, kMaxReplyPayload);
  std::memcpy(clip.data(), reply + kClipOffset, n);
  desk_->PutCLIP(reply[2] + PortBase(), clip.data());
  const int states = static_cast<int>(ContentLength(FAnData.Length(), kStructureHeader) / 4);
  desk_->PutStates(states, FAnData.Data() + kStructureHeader);
  return 0;
}

int TData::DecodeQueue(const uint8_t* reply, int length) {
  if (length == 0) return 0;
  if (reply[0] != 0) return reply[0];
  if (!desk_) return 0;
  // The library reads a fixed-size record: hand it a zero-filled copy.
  std::array<uint8_t, DESK_FRONT_SIZE> front{};
  std::memcpy(front.data(), reply + 1, std::min<int>(length - 1, front.size()));
  desk_->PutFront(PortBase(), front.data());
  return 0;
}
