#include "controller/request_queue.h"

#include <algorithm>
#include <cstring>

#include "platform/string_list.h"

namespace {
bool MayRepeat(char letter) {
  return letter == '#' || letter == 'Y' || letter == 'p' || letter == 's';
}
}  // namespace

int TRequestQueue::IndexOf(const std::string& key) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (SameTextAscii(entries_[i].Key, key)) return static_cast<int>(i);
  return -1;
}

bool TRequestQueue::Queue(char letter, int owner, const uint8_t* bytes, int length) {
  Entry entry;
  if (letter == 'T') {
    // A client's request longer than a record holds would go out cut short:
    // refuse it rather than send the exchange a mangled request.
    if (!bytes || length <= 0 || length > TRequestRecord::kMaxData) return false;
    entry.Key = "T" + std::to_string(owner);
    if (int i = IndexOf(entry.Key); i >= 0) entries_.erase(entries_.begin() + i);
    entry.Record = std::make_unique<TRequestRecord>();
    entry.Record->Letter = 'T';
    entry.Record->Command = bytes[0];
    entry.Record->Owner = owner;
    std::memcpy(entry.Record->Data, bytes, static_cast<size_t>(length));
    entry.Record->Length = length;
  } else {
    entry.Key = std::string(1, letter);
    if (!MayRepeat(letter) && IndexOf(entry.Key) >= 0) return false;
    entry.Value = owner;
  }
  if (Count() >= kMaxEntries) entries_.pop_front();
  entries_.push_back(std::move(entry));
  return true;
}

std::vector<std::string> TRequestQueue::Keys() const {
  std::vector<std::string> keys;
  for (const auto& e : entries_) keys.push_back(e.Key);
  return keys;
}

void TPendingRequests::Store(uint8_t packetNumber, char letter, const uint8_t* bytes, int length,
                             int owner) {
  auto record = std::make_unique<TRequestRecord>();
  int kept = std::clamp(length, 0, TRequestRecord::kMaxData);
  record->Letter = letter;
  record->Command = kept > 0 ? bytes[0] : 0;
  record->Owner = owner;
  if (kept > 0) std::memcpy(record->Data, bytes, static_cast<size_t>(kept));
  record->Length = kept;
  std::string key = std::to_string(packetNumber);
  std::erase_if(entries_, [&](const Entry& e) { return e.Key == key; });
  entries_.push_back({key, std::move(record)});
}

std::unique_ptr<TRequestRecord> TPendingRequests::Take(int packetNumber) {
  std::string key = std::to_string(packetNumber);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->Key != key) continue;
    auto record = std::move(it->Record);
    entries_.erase(it);
    return record;
  }
  return nullptr;
}
