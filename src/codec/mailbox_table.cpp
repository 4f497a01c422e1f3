#include "codec/mailbox_table.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "codec/digit_codes.h"

void TMailboxTable::SetNumbers(const uint8_t* codes, int entries) {
  const int count = codes ? std::clamp(entries, 0, kCapacity) : 0;
  for (int i = 0; i < count; ++i) {
    const std::string number = DecodeDigits(codes + 4 * i, 4);
    std::memset(entries_[i].Number, 0, sizeof entries_[i].Number);
    std::memcpy(entries_[i].Number, number.data(), number.size());
  }
  count_ = static_cast<uint8_t>(count);
}

uint8_t TMailboxTable::Find(std::string_view number) const {
  for (int i = 0; i < count_; ++i) {
    if (number == std::string_view(entries_[i].Number)) return static_cast<uint8_t>(i);
  }
  return kNotFound;
}

void TMailboxTable::SetCounts(std::string_view number, int sms, int fax, int voice, int flag) {
  const uint8_t i = Find(number);
  if (i == kNotFound) return;
  TMailboxEntry& e = entries_[i];
  e.Sms = static_cast<uint8_t>(sms);
  e.Voice = static_cast<uint8_t>(voice);
  e.Fax = static_cast<uint8_t>(fax);
  e.Flag = static_cast<uint8_t>(flag);
}

void TMailboxTable::AddCounts(std::string_view number, int sms, int fax, int voice, int flag) {
  const uint8_t i = Find(number);
  if (i == kNotFound) return;
  TMailboxEntry& e = entries_[i];
  e.Sms = static_cast<uint8_t>(e.Sms + sms);
  e.Voice = static_cast<uint8_t>(e.Voice + voice);
  e.Fax = static_cast<uint8_t>(e.Fax + fax);
  e.Flag = static_cast<uint8_t>(e.Flag + flag);
}

void TMailboxTable::ClearCounts() {
  for (TMailboxEntry& e : entries_) e.Sms = e.Voice = e.Fax = e.Flag = 0;
}

int TMailboxTable::BuildCountsPayload(uint8_t* buffer) const {
  int length = 0;
  buffer[length++] = 1;
  buffer[length++] = 17;
  buffer[length++] = 0;
  for (int i = 0; i < count_; ++i) {
    buffer[length++] = entries_[i].Sms;
    buffer[length++] = entries_[i].Voice;
    buffer[length++] = entries_[i].Fax;
    buffer[length++] = entries_[i].Flag;
  }
  return length;
}

void TMailboxTable::PackNumbers(char* out) const {
  for (int i = 0; i < count_; ++i) std::memcpy(out + 4 * i, entries_[i].Number, 4);
}
