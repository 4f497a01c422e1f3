#include "digit_codes.h"

#include <cstring>

namespace {
constexpr char kDigitTable[] = ".1234567890*#FPSABCD";
constexpr int kCodeCount = sizeof(kDigitTable) - 1;
}  // namespace

std::optional<std::vector<uint8_t>> EncodeNumber(const std::string& number) {
  std::vector<uint8_t> codes;
  for (char c : number) {
    const char* at = c == '.' || c == '\0' ? nullptr : std::strchr(kDigitTable, c);
    if (at == nullptr) return std::nullopt;
    codes.push_back(static_cast<uint8_t>(at - kDigitTable));
  }
  return codes;
}

std::string DecodeNumber(const uint8_t* codes, int count) {
  std::string text;
  for (int i = 0; i < count && codes[i] != 0 && codes[i] < kCodeCount; ++i)
    text += kDigitTable[codes[i]];
  return text;
}
