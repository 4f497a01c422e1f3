#include "short_numbers.h"

#include "digit_codes.h"

namespace exchange {

namespace {

bool EncodeEntry(const ShortNumber& entry, std::vector<uint8_t>& bytes, std::string& error) {
  auto codes = EncodeNumber(entry.Number);
  if (!codes || entry.Number.empty()) {
    error = "short number '" + entry.Number + "' of '" + entry.Name +
            "' must be 1 or more of 0-9 * # F P S A B C D";
    return false;
  }
  if (entry.Name.size() > kMaxShortNameLength || codes->size() > kMaxShortNumberLength) {
    error = "short number '" + entry.Name + "': name and number are at most " +
            std::to_string(kMaxShortNameLength) + " characters each";
    return false;
  }
  bytes.clear();
  bytes.push_back(static_cast<uint8_t>(entry.Name.size() + 1));
  bytes.insert(bytes.end(), entry.Name.begin(), entry.Name.end());
  bytes.push_back(static_cast<uint8_t>(codes->size() + 1));
  bytes.insert(bytes.end(), codes->begin(), codes->end());
  return true;
}

}  // namespace

bool LayOutShortNumbers(const std::vector<std::vector<ShortNumber>>& records, ExchangeModel& model,
                        std::string& error) {
  if (records.size() > static_cast<size_t>(kMaxPersonal)) {
    error = "at most " + std::to_string(kMaxPersonal) + " Personal records";
    return false;
  }
  ExchangeModel laid;
  laid.Personal.resize(records.size());
  for (auto& record : laid.Personal) record.fill(0xFF);   // every pointer kNoEntry
  size_t used = 0;
  std::vector<uint8_t> bytes;
  for (size_t n = 0; n < records.size(); ++n) {
    if (records[n].size() > static_cast<size_t>(kPointersPerPersonal)) {
      error = "Personal record " + std::to_string(n) + " has more than " +
              std::to_string(kPointersPerPersonal) + " short numbers";
      return false;
    }
    for (size_t k = 0; k < records[n].size(); ++k) {
      if (!EncodeEntry(records[n][k], bytes, error)) return false;
      if (used + bytes.size() > static_cast<size_t>(kShortMemSize)) {
        error = "the short numbers do not fit the short-number memory";
        return false;
      }
      std::copy(bytes.begin(), bytes.end(), laid.ShortMem.begin() + used);
      laid.SetPersonalPointer(static_cast<int>(n), static_cast<int>(k), static_cast<uint16_t>(used));
      used += bytes.size();
    }
  }
  model.Personal = std::move(laid.Personal);
  model.ShortMem = std::move(laid.ShortMem);
  return true;
}

ShortNumber ReadShortEntry(const ExchangeModel& model, uint16_t pointer) {
  ShortNumber entry;
  const auto& mem = model.ShortMem;
  if (pointer >= mem.size()) return entry;
  const size_t nameLength = mem[pointer] ? mem[pointer] - 1u : 0u;
  const size_t numberAt = pointer + 1 + nameLength;
  if (numberAt >= mem.size()) return entry;
  entry.Name.assign(mem.begin() + pointer + 1, mem.begin() + numberAt);
  const size_t digits = mem[numberAt] ? mem[numberAt] - 1u : 0u;
  if (numberAt + 1 + digits > mem.size()) return entry;
  entry.Number = DecodeNumber(mem.data() + numberAt + 1, static_cast<int>(digits));
  return entry;
}

}  // namespace exchange
