#include "fault_switches.h"

#include <sstream>

#include "platform/ini_file.h"

namespace exchange {

namespace {

int ErrorKey(int command, int structure) { return command * 256 + structure; }

bool ParseSwitch(const std::string& word, bool& value) {
  if (word == "on" || word == "1") {
    value = true;
    return true;
  }
  if (word == "off" || word == "0") {
    value = false;
    return true;
  }
  return false;
}

bool ParseByte(const std::string& word, int& value) {
  return ParseInteger(word, value) && value >= 0 && value <= 255;
}

// "COMMAND" or "COMMAND/STRUCTURE"; a structure only for commands 0 and 1.
bool ParseRequestKey(const std::string& word, int& key) {
  const auto slash = word.find('/');
  int command = 0, structure = FaultSwitches::kAnyStructure;
  if (!ParseByte(word.substr(0, slash), command)) return false;
  if (slash != std::string::npos) {
    if (command > 1 || !ParseByte(word.substr(slash + 1), structure)) return false;
  }
  key = ErrorKey(command, structure);
  return true;
}

std::string ErrorCommand(FaultSwitches& faults, const std::vector<std::string>& words) {
  if (words.size() == 2 && words[1] == "clear") {
    faults.ErrorStatus.clear();
    return "ok error statuses cleared";
  }
  int key = 0, status = 0;
  if (words.size() != 3 || !ParseRequestKey(words[1], key))
    return "error: use: error COMMAND[/STRUCTURE] STATUS|off, or error clear";
  if (words[2] == "off") {
    faults.ErrorStatus.erase(key);
    return "ok error " + words[1] + " off";
  }
  if (!ParseByte(words[2], status) || status == 0)
    return "error: the status must be 1 to 255 (0 means success)";
  faults.ErrorStatus[key] = static_cast<uint8_t>(status);
  return "ok error " + words[1] + " answers status " + std::to_string(status);
}

}  // namespace

std::optional<uint8_t> FaultSwitches::ErrorFor(const std::vector<uint8_t>& request) const {
  if (request.empty()) return std::nullopt;
  const int command = request[0];
  if (command <= 1 && request.size() >= 2) {
    auto exact = ErrorStatus.find(ErrorKey(command, request[1]));
    if (exact != ErrorStatus.end()) return exact->second;
  }
  auto any = ErrorStatus.find(ErrorKey(command, kAnyStructure));
  if (any != ErrorStatus.end()) return any->second;
  return std::nullopt;
}

std::string FaultSwitches::Describe() const {
  std::ostringstream out;
  out << "silence " << (Silent ? "on" : "off") << ", wrong-number " << (WrongNumber ? "on" : "off")
      << ", bad-crc " << (BadCrc ? "on" : "off") << ", stray " << (StrayBytes ? "on" : "off")
      << ", delay " << DelayMs << " ms, error";
  if (ErrorStatus.empty()) out << " none";
  for (const auto& [key, status] : ErrorStatus) {
    out << " " << key / 256;
    if (key % 256 != kAnyStructure) out << "/" << key % 256;
    out << "=" << int(status);
  }
  return out.str();
}

std::string ApplyFaultCommand(FaultSwitches& faults, const std::vector<std::string>& words) {
  if (words.empty()) return "error: empty command";
  const std::string& name = words[0];
  if (name == "status") return "ok " + faults.Describe();
  if (name == "faults" && words.size() == 2 && words[1] == "off") {
    faults = FaultSwitches{};
    return "ok all faults off";
  }
  if (name == "error") return ErrorCommand(faults, words);
  if (name == "delay") {
    int ms = 0;
    if (words.size() != 2 || !ParseInteger(words[1], ms) || ms < 0 || ms > 600000)
      return "error: use: delay MS (0 to 600000)";
    faults.DelayMs = ms;
    return "ok delay " + std::to_string(ms) + " ms";
  }
  bool* target = name == "silence"        ? &faults.Silent
                 : name == "wrong-number" ? &faults.WrongNumber
                 : name == "bad-crc"      ? &faults.BadCrc
                 : name == "stray"        ? &faults.StrayBytes
                                          : nullptr;
  if (target == nullptr) return "error: unknown command '" + name + "' (try help)";
  if (words.size() != 2 || !ParseSwitch(words[1], *target))
    return "error: use: " + name + " on|off";
  return "ok " + name + " " + (*target ? "on" : "off");
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace exchange
