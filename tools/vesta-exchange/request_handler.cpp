#include "request_handler.h"

#include <algorithm>

#include "digit_codes.h"

namespace exchange {

namespace {

std::vector<uint8_t> StatusOnly(uint8_t status) { return {status}; }

std::vector<uint8_t> StructureAnswer(int structure, int index, const uint8_t* data, size_t count) {
  std::vector<uint8_t> answer{kStatusOk, static_cast<uint8_t>(structure),
                              static_cast<uint8_t>(index)};
  answer.insert(answer.end(), data, data + count);
  return answer;
}

std::vector<uint8_t> StructureAnswer(int structure, int index, const std::vector<uint8_t>& data) {
  return StructureAnswer(structure, index, data.data(), data.size());
}

template <size_t N>
std::vector<uint8_t> WithStatus(const std::array<uint8_t, N>& record) {
  std::vector<uint8_t> answer{kStatusOk};
  answer.insert(answer.end(), record.begin(), record.end());
  return answer;
}

bool AllZero(const uint8_t* data, int count) {
  return std::all_of(data, data + count, [](uint8_t b) { return b == 0; });
}

uint8_t Clamp8(size_t value) { return static_cast<uint8_t>(std::min<size_t>(value, 255)); }

}  // namespace

std::vector<uint8_t> RequestHandler::Answer(const std::vector<uint8_t>& request, int64_t nowMs) {
  if (request.empty()) return StatusOnly(kStatusUnknownCommand);
  switch (request[0]) {
    case kCmdReadStructure:
    case kCmdWriteStructure:
      if (request.size() < 3) return StatusOnly(kStatusBadLength);
      if (request[0] == kCmdReadStructure) return ReadStructure(request[1], request[2]);
      return WriteStructure(request[1], request[2], request.data() + 3,
                            static_cast<int>(request.size()) - 3);
    case kCmdInfo: {
      auto info = model_.Info;
      info[3] = static_cast<uint8_t>(model_.Personal.size());
      return WithStatus(info);
    }
    case kCmdConfig:
      return WithStatus(model_.Config);
    case kCmdSwRecord:
      return SwRecord(nowMs);
    case kCmdQueue:
      return QueueRecord();
    case kCmdBillingNext:
    case kCmdBillingAgain:
      return Billing(request[0] == kCmdBillingNext);
    case kCmdCallControl:
    case kCmdTakeFromQueue:
    case kCmdShortNumber:
    case kCmdTakeFromHold:
      return CallControl(request, nowMs);
    default:
      return StatusOnly(kStatusUnknownCommand);
  }
}

std::vector<uint8_t> RequestHandler::ReadStructure(int structure, int index) const {
  switch (structure) {
    case kStructSlots: {
      if (index >= kSlotCount) return StatusOnly(kStatusNoSuchRecord);
      if (model_.SlotEmpty(index)) return StructureAnswer(structure, index, {0});
      return StructureAnswer(structure, index, model_.Slots[index]);
    }
    case kStructMailboxes: {
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      std::vector<uint8_t> data;
      for (const auto& number : model_.Mailboxes) {
        auto codes = EncodeNumber(number).value_or(std::vector<uint8_t>{});
        codes.resize(kMailboxDigits, 0);
        data.insert(data.end(), codes.begin(), codes.end());
      }
      return StructureAnswer(structure, index, data);
    }
    case kStructMailboxCounts:
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      return StructureAnswer(structure, index, model_.MailboxCounts);
    case kStructPortStates: {
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      std::vector<uint8_t> data;
      for (const auto& port : model_.Ports)
        data.insert(data.end(), {port.State, port.Aux1, port.Aux2, port.Flags});
      return StructureAnswer(structure, index, data);
    }
    case kStructShortMem:
      if (index >= kShortBlockCount) return StatusOnly(kStatusNoSuchRecord);
      return StructureAnswer(structure, index, model_.ShortMem.data() + index * kShortBlockSize,
                             kShortBlockSize);
    case kStructPersonal:
      if (index >= static_cast<int>(model_.Personal.size())) return StatusOnly(kStatusNoSuchRecord);
      return StructureAnswer(structure, index, model_.Personal[index].data(), kPersonalSize);
    case kStructPortStruct:
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      return StructureAnswer(structure, index, model_.PortStruct.data(), kPortStructSize);
    case kStructClip: {
      if (index >= static_cast<int>(model_.Ports.size())) return StatusOnly(kStatusNoSuchRecord);
      const Port& port = model_.Ports[index];
      // Eight bytes of port record (state, aux, flags, then zeros), then the
      // caller's number as digit codes ended by 0.
      std::vector<uint8_t> data{port.State, port.Aux1, port.Aux2, port.Flags, 0, 0, 0, 0};
      if (port.Flags & kFlagCallerData) {
        auto codes = EncodeNumber(port.Caller).value_or(std::vector<uint8_t>{});
        data.insert(data.end(), codes.begin(), codes.end());
      }
      data.push_back(0);
      return StructureAnswer(structure, index, data);
    }
    default: {
      auto found = model_.OtherStructures.find({structure, index});
      if (found == model_.OtherStructures.end()) return StatusOnly(kStatusNoSuchRecord);
      return StructureAnswer(structure, index, found->second);
    }
  }
}

std::vector<uint8_t> RequestHandler::WriteStructure(int structure, int index, const uint8_t* data,
                                                    int count) {
  switch (structure) {
    case kStructSlots: {
      if (index >= kSlotCount) return StatusOnly(kStatusNoSuchRecord);
      if (count > kSlotSize) return StatusOnly(kStatusBadLength);
      auto& slot = model_.Slots[index];
      if (count == 0 || AllZero(data, count) || data[0] == 0) {
        slot.clear();  // the agent's clearing write: the slot is free again
      } else {
        slot.assign(data, data + count);
        while (!slot.empty() && slot.back() == 0) slot.pop_back();
      }
      return StatusOnly(kStatusOk);
    }
    case kStructMailboxes: {
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      if (count % kMailboxDigits != 0 || count / kMailboxDigits > kMaxMailboxes)
        return StatusOnly(kStatusBadLength);
      std::vector<std::string> numbers;
      for (int i = 0; i < count; i += kMailboxDigits)
        numbers.push_back(DecodeNumber(data + i, kMailboxDigits));
      model_.Mailboxes = std::move(numbers);
      return StatusOnly(kStatusOk);
    }
    case kStructMailboxCounts:
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      if (count % 4 != 0 || count / 4 > static_cast<int>(model_.Mailboxes.size()))
        return StatusOnly(kStatusBadLength);
      model_.MailboxCounts.assign(data, data + count);
      return StatusOnly(kStatusOk);
    case kStructPortStates:
    case kStructClip:
      return StatusOnly(kStatusReadOnly);
    case kStructShortMem:
      if (index >= kShortBlockCount) return StatusOnly(kStatusNoSuchRecord);
      if (count > kShortBlockSize) return StatusOnly(kStatusBadLength);
      std::copy(data, data + count, model_.ShortMem.begin() + index * kShortBlockSize);
      return StatusOnly(kStatusOk);
    case kStructPersonal:
      if (index >= static_cast<int>(model_.Personal.size())) return StatusOnly(kStatusNoSuchRecord);
      if (count > kPersonalSize) return StatusOnly(kStatusBadLength);
      std::copy(data, data + count, model_.Personal[index].begin());
      return StatusOnly(kStatusOk);
    case kStructPortStruct:
      if (index != 0) return StatusOnly(kStatusNoSuchRecord);
      if (count > kPortStructSize) return StatusOnly(kStatusBadLength);
      std::copy(data, data + count, model_.PortStruct.begin());
      return StatusOnly(kStatusOk);
    default:
      model_.OtherStructures[{structure, index}].assign(data, data + count);
      return StatusOnly(kStatusOk);
  }
}

std::vector<uint8_t> RequestHandler::SwRecord(int64_t nowMs) const {
  size_t busy = 0, ringing = 0;
  for (const auto& port : model_.Ports) {
    if (port.State == kPortRinging) ++ringing;
    if (port.State != kPortIdle) ++busy;
  }
  const CivilTime t = clock_.At(nowMs);
  return {kStatusOk,
          Clamp8(model_.Ports.size()),
          Clamp8(busy),
          Clamp8(ringing),
          static_cast<uint8_t>(t.Hour),
          static_cast<uint8_t>(t.Minute),
          static_cast<uint8_t>(t.Second),
          static_cast<uint8_t>(t.Day),
          static_cast<uint8_t>(t.Month),
          static_cast<uint8_t>(t.Year % 100),
          Clamp8(model_.Billing.Waiting()),
          0};
}

std::vector<uint8_t> RequestHandler::QueueRecord() const {
  // Count of waiting calls, then per call its port index and whether it
  // carries caller data.
  std::vector<uint8_t> answer{kStatusOk, 0};
  for (size_t i = 0; i < model_.Ports.size(); ++i) {
    const Port& port = model_.Ports[i];
    if (port.State != kPortRinging) continue;
    ++answer[1];
    answer.push_back(static_cast<uint8_t>(i));
    answer.push_back(port.Flags & kFlagCallerData);
  }
  return answer;
}

std::vector<uint8_t> RequestHandler::CallControl(const std::vector<uint8_t>& request,
                                                 int64_t nowMs) {
  if (request.size() < 3) return StatusOnly(kStatusBadLength);
  // Command 36 addresses a short number, the others a port.
  if (request[0] != kCmdShortNumber && request[1] >= model_.Ports.size())
    return StatusOnly(kStatusNoSuchRecord);
  model_.RememberCallCommand(nowMs, request);
  return StatusOnly(kStatusOk);
}

std::vector<uint8_t> RequestHandler::Billing(bool next) {
  auto record = next ? model_.Billing.DeliverNext() : model_.Billing.DeliverAgain();
  std::vector<uint8_t> answer;
  answer.reserve(1 + (record ? record->size() : 0));
  answer.push_back(kStatusOk);
  if (record) answer.insert(answer.end(), record->begin(), record->end());
  return answer;
}

}  // namespace exchange
