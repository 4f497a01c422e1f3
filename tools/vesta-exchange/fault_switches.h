#pragma once
// Faults the simulated exchange can be told to show, switchable while it
// runs by one text command a line.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace exchange {

struct FaultSwitches {
  bool Silent = false;        // requests are received and never answered
  bool WrongNumber = false;   // answers carry the request's packet number + 1
  bool BadCrc = false;        // answers carry a corrupted CRC
  bool StrayBytes = false;    // stray bytes (0xE0 among them) before each answer
  int DelayMs = 0;            // answers leave this long after the request
  // Error status by request: key command * 256 + structure (commands 0 and
  // 1), or command * 256 + kAnyStructure.
  static constexpr int kAnyStructure = 255;
  std::map<int, uint8_t> ErrorStatus;

  // The error status forced on this request, if any.
  std::optional<uint8_t> ErrorFor(const std::vector<uint8_t>& request) const;
  std::string Describe() const;
};

// Applies one command line; returns the reply text ("ok ..." or "error: ...").
// Commands: silence on|off, wrong-number on|off, bad-crc on|off, stray on|off,
// delay MS, error COMMAND[/STRUCTURE] STATUS, error COMMAND[/STRUCTURE] off,
// error clear, faults off, status.
std::string ApplyFaultCommand(FaultSwitches& faults, const std::vector<std::string>& words);

// Splits a command line at blanks.
std::vector<std::string> SplitWords(const std::string& line);

}  // namespace exchange
