#pragma once
// What the simulated exchange holds: the records it answers with, its
// ports, mailboxes, short numbers, message slots and billing records.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "billing_queue.h"

namespace exchange {

constexpr int kConfigSize = 16;
constexpr int kInfoSize = 7;
constexpr int kSwSize = 11;              // the agent keeps 12 bytes with the status
constexpr int kMaxPorts = 63;            // 3 + 4 * 63 fits the agent's 256-byte AN store
constexpr int kPortStructSize = 144;
constexpr int kMaxMailboxes = 56;
constexpr int kMailboxDigits = 4;
constexpr int kMaxPersonal = 30;
constexpr int kPersonalSize = 64;        // 32 big-endian pointers
constexpr int kPointersPerPersonal = 32;
constexpr uint16_t kNoEntry = 0xFFFF;    // a pointer that points at nothing
constexpr int kShortBlockSize = 236;
constexpr int kShortBlockCount = 66;
constexpr int kShortMemSize = kShortBlockSize * kShortBlockCount;
constexpr int kSlotCount = 4;
constexpr int kSlotSize = 251;           // what the agent's clearing write carries

// Port states this exchange uses. The agent itself knows only that ports
// in states 2 and 8 may carry caller data (flag bit 0).
enum PortStateCode : uint8_t {
  kPortIdle = 0,
  kPortDialling = 1,
  kPortTalking = 2,
  kPortBlocked = 5,
  kPortRinging = 8,
};
constexpr uint8_t kFlagCallerData = 0x01;

struct Port {
  std::string Number;      // the extension, used in billing texts
  uint8_t State = kPortIdle;
  uint8_t Aux1 = 0, Aux2 = 0;
  uint8_t Flags = 0;
  std::string Caller;      // the caller's number while caller data are set
};

struct CallCommand {
  int64_t AtMs = 0;
  std::vector<uint8_t> Payload;
};

struct ExchangeModel {
  std::array<uint8_t, kConfigSize> Config{};
  // Byte 0/1 version, byte 2 port base, byte 3 Personal count (always
  // answered as Personal.size()), bytes 4.. free.
  std::array<uint8_t, kInfoSize> Info{};
  std::array<uint8_t, kPortStructSize> PortStruct{};
  std::vector<Port> Ports;
  std::vector<std::string> Mailboxes;
  std::vector<uint8_t> MailboxCounts;   // the last structure 17 write
  std::vector<std::array<uint8_t, kPersonalSize>> Personal;
  std::vector<uint8_t> ShortMem = std::vector<uint8_t>(kShortMemSize, 0);
  // Slot contents: message kind (0 = empty), then the text.
  std::array<std::vector<uint8_t>, kSlotCount> Slots{};
  BillingQueue Billing;
  // Structures this exchange gives no meaning to, by (structure, index).
  std::map<std::pair<int, int>, std::vector<uint8_t>> OtherStructures;
  std::vector<CallCommand> CallCommands;   // the most recent ones

  // Big-endian pointer k of Personal record n.
  uint16_t PersonalPointer(int n, int k) const;
  void SetPersonalPointer(int n, int k, uint16_t value);
  // A slot holding kind and "address\nsubject\ntext"; kind 0 empties it.
  void SetSlot(int slot, char kind, const std::string& address, const std::string& subject,
               const std::string& text);
  bool SlotEmpty(int slot) const;
  void RememberCallCommand(int64_t atMs, std::vector<uint8_t> payload);
};

}  // namespace exchange
