#pragma once
// The exchange's side of every request payload: turns one request into
// one answer payload (byte 0 the status) and applies what it changes.
#include <cstdint>
#include <vector>

#include "exchange_clock.h"
#include "exchange_model.h"

namespace exchange {

// Commands of the exchange.
enum Command : uint8_t {
  kCmdReadStructure = 0,
  kCmdWriteStructure = 1,
  kCmdInfo = 2,
  kCmdBillingNext = 4,
  kCmdBillingAgain = 5,
  kCmdConfig = 13,
  kCmdSwRecord = 14,
  kCmdCallControl = 18,
  kCmdQueue = 33,
  kCmdTakeFromQueue = 34,
  kCmdShortNumber = 36,
  kCmdTakeFromHold = 38,
};

// Structures with a meaning of their own.
enum Structure : uint8_t {
  kStructSlots = 1,
  kStructMailboxes = 14,
  kStructMailboxCounts = 17,
  kStructPortStates = 22,
  kStructShortMem = 24,
  kStructPersonal = 25,
  kStructPortStruct = 40,
  kStructClip = 47,
};

// Status bytes of the answers.
enum Status : uint8_t {
  kStatusOk = 0,
  kStatusUnknownCommand = 1,
  kStatusNoSuchRecord = 2,   // structure never written, index out of range
  kStatusBadLength = 3,      // request too short or data of the wrong size
  kStatusReadOnly = 4,       // a structure the exchange alone keeps
};

class RequestHandler {
 public:
  RequestHandler(ExchangeModel& model, ExchangeClock clock) : model_(model), clock_(clock) {}

  std::vector<uint8_t> Answer(const std::vector<uint8_t>& request, int64_t nowMs);

 private:
  std::vector<uint8_t> ReadStructure(int structure, int index) const;
  std::vector<uint8_t> WriteStructure(int structure, int index, const uint8_t* data, int count);
  std::vector<uint8_t> SwRecord(int64_t nowMs) const;
  std::vector<uint8_t> QueueRecord() const;
  std::vector<uint8_t> CallControl(const std::vector<uint8_t>& request, int64_t nowMs);
  std::vector<uint8_t> Billing(bool next);

  ExchangeModel& model_;
  ExchangeClock clock_;
};

}  // namespace exchange
