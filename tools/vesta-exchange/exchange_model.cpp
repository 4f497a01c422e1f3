#include "exchange_model.h"

namespace exchange {

namespace {
constexpr size_t kKeptCallCommands = 64;
}

uint16_t ExchangeModel::PersonalPointer(int n, int k) const {
  const auto& record = Personal.at(n);
  return static_cast<uint16_t>(record[2 * k] << 8 | record[2 * k + 1]);
}

void ExchangeModel::SetPersonalPointer(int n, int k, uint16_t value) {
  auto& record = Personal.at(n);
  record[2 * k] = static_cast<uint8_t>(value >> 8);
  record[2 * k + 1] = static_cast<uint8_t>(value & 0xFF);
}

void ExchangeModel::SetSlot(int slot, char kind, const std::string& address,
                            const std::string& subject, const std::string& text) {
  auto& content = Slots.at(slot);
  content.clear();
  if (kind == 0) return;
  content.push_back(static_cast<uint8_t>(kind));
  std::string message = address + '\n' + subject + '\n' + text;
  content.insert(content.end(), message.begin(), message.end());
  if (content.size() > static_cast<size_t>(kSlotSize)) content.resize(kSlotSize);
}

bool ExchangeModel::SlotEmpty(int slot) const {
  const auto& content = Slots.at(slot);
  return content.empty() || content[0] == 0;
}

void ExchangeModel::RememberCallCommand(int64_t atMs, std::vector<uint8_t> payload) {
  if (CallCommands.size() >= kKeptCallCommands) CallCommands.erase(CallCommands.begin());
  CallCommands.push_back({atMs, std::move(payload)});
}

}  // namespace exchange
