#pragma once
// Personal records and the short-number memory they point into. Each
// entry is two length-prefixed fields whose length bytes count themselves:
// [1 + name length][name][1 + digits][digit codes]; a record's unused
// pointers hold kNoEntry.
#include <string>
#include <vector>

#include "exchange_model.h"

namespace exchange {

struct ShortNumber {
  std::string Name;
  std::string Number;
};

constexpr int kMaxShortNameLength = 40;
constexpr int kMaxShortNumberLength = 40;

// Lays the entries of every record out in the short-number memory, one
// after the other, and points the records at them. False, with a reason,
// when a record or entry does not fit or a number holds a character
// without a digit code; the model is unchanged then.
bool LayOutShortNumbers(const std::vector<std::vector<ShortNumber>>& records, ExchangeModel& model,
                        std::string& error);

// The entry a pointer points at, read back (for tests and the summary).
ShortNumber ReadShortEntry(const ExchangeModel& model, uint16_t pointer);

}  // namespace exchange
