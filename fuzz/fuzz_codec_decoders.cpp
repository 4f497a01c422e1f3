// Sequences of replies and requests through TData's block operations, in
// call-control mode with a desk that reads everything it is handed. Input:
// records of [operation, block index, length, length bytes].
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "codec/data.h"
#include "vesta/desksrvr.h"

namespace {
volatile uint8_t sink;

void Touch(const void* bytes, size_t length) {
  const auto* p = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < length; ++i) sink = sink ^ p[i];
}

// Reads exactly what the contract lets the library read.
class ReadingDesk : public IDeskCalls {
 public:
  void PutLines(int count, const char* numbers) override {
    if (count < 0 || count > 56) __builtin_trap();
    Touch(numbers, 4 * static_cast<size_t>(count));
  }
  void PutInfo(const uint8_t* info7) override { Touch(info7, 7); }
  void PutPorts(const uint8_t* ports144) override { Touch(ports144, 144); }
  void PutStates(int count, const uint8_t* states) override {
    if (count < 0 || count > 64) __builtin_trap();
    Touch(states, 4 * static_cast<size_t>(count));
  }
  void PutCLIP(int, const char* clip) override { Touch(clip, std::strlen(clip) + 1); }
  void PutFront(int, const uint8_t* front) override { Touch(front, DESK_FRONT_SIZE); }
  void PutShorts(const uint8_t* shortMem, const uint8_t* personal) override {
    Touch(shortMem, DESK_SHORTMEM_SIZE);
    Touch(personal, DESK_PERSONAL_RECORDS * DESK_PERSONAL_POINTERS * 2);
  }
};

using Op = int (TData::*)(int, uint8_t*, int);
constexpr Op kOps[] = {&TData::AnData,        &TData::ConfigData,    &TData::QueueData,
                       &TData::InfoData,      &TData::StatusPollData, &TData::BillingData,
                       &TData::MailboxListData, &TData::SwData,       &TData::ClipUdataData,
                       &TData::PersonalData,  &TData::ShortMemData,  &TData::PortStructData,
                       &TData::CommCommandData};
constexpr size_t kOpCount = sizeof kOps / sizeof kOps[0];
constexpr int kModes[] = {cmBuild, cmDecode, cmSkip};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadingDesk desk;
  TData codec;
  codec.SetDesk(&desk);
  std::vector<uint8_t> buffer(kCodecBufferSize);
  size_t at = 0;
  while (at + 3 <= size) {
    const uint8_t selector = data[at];
    codec.FBlockIndex = static_cast<int8_t>(data[at + 1]);
    const size_t length = std::min<size_t>(data[at + 2] * 2, size - at - 3);
    std::vector<uint8_t> reply(data + at + 3, data + at + 3 + length);
    at += 3 + length;

    const Op op = kOps[selector % kOpCount];
    const int mode = kModes[(selector / kOpCount) % 3];
    if (selector >= 240) {
      TStates record{};
      if (!reply.empty()) std::memcpy(&record, reply.data(), std::min(reply.size(), sizeof record));
      const int slot = codec.AddCommCommand(record);
      if (codec.CommCommandData(cmBuild, buffer.data(), slot) > kMaxCommCommandPayload)
        __builtin_trap();
    } else if (mode == cmBuild) {
      (codec.*op)(mode, buffer.data(), static_cast<int>(length));
    } else {
      (codec.*op)(mode, reply.data(), static_cast<int>(reply.size()));
    }
    if (codec.MailboxCountsData(buffer.data()) > TMailboxTable::kMaxCountsPayload) __builtin_trap();
    std::string text;
    codec.RenderPacket(TPacketDirection::Reply, text, reply.data(), static_cast<int>(reply.size()),
                       selector, true);
  }
  return 0;
}
