#pragma once
// The mailbox extensions of the exchange (answer to 'V') with the message
// counts the mail gateway keeps for each, sent back as the 'M' payload.
#include <array>
#include <cstdint>
#include <string_view>

struct TMailboxEntry {
  char Number[5];  // up to 4 characters, zero-terminated
  uint8_t Sms;
  uint8_t Voice;
  uint8_t Fax;
  uint8_t Flag;
};
static_assert(sizeof(TMailboxEntry) == 9);

class TMailboxTable {
 public:
  static constexpr int kCapacity = 56;
  static constexpr uint8_t kNotFound = 255;
  // Longest 'M' payload: 1, 17, 0 and four counters per entry.
  static constexpr int kMaxCountsPayload = 3 + 4 * kCapacity;

  // Takes the numbers of the 'V' answer: 4 digit codes per entry, at most
  // kCapacity entries. An entry keeps the counters of its position.
  void SetNumbers(const uint8_t* codes, int entries);

  int Count() const { return count_; }
  const TMailboxEntry& Entry(int index) const { return entries_[index]; }

  // Index of the first listed entry whose number equals number, or kNotFound.
  uint8_t Find(std::string_view number) const;
  // Counters are 8-bit: values are taken modulo 256. An unknown number
  // changes nothing.
  void SetCounts(std::string_view number, int sms, int fax, int voice, int flag);
  void AddCounts(std::string_view number, int sms, int fax, int voice, int flag);
  void ClearCounts();

  // 1, 17, 0, then SMS, voice, fax, flag of every entry in list order.
  int BuildCountsPayload(uint8_t* buffer) const;
  // The numbers packed as 4 characters each, zero-padded; out holds 4 x Count().
  void PackNumbers(char* out) const;

 private:
  std::array<TMailboxEntry, kCapacity> entries_{};
  uint8_t count_ = 0;
};
