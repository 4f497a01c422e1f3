#include "codec/digit_codes.h"

namespace {
constexpr std::string_view kEncodeTable = "1234567890*#F,SABCDTW-xxxxxxxx?P";
constexpr std::string_view kDecodeTable = ".1234567890*#FPSABCD";

uint8_t EncodeOne(char c) {
  const size_t position = kEncodeTable.find(c);
  return position == std::string_view::npos ? 0 : static_cast<uint8_t>(position + 1);
}
}  // namespace

void EncodeDigits(std::string_view text, int count, uint8_t* out) {
  for (int i = 0; i < count; ++i) {
    out[i] = static_cast<size_t>(i) < text.size() ? EncodeOne(text[i]) : 0;
  }
}

std::string DecodeDigits(const uint8_t* codes, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    const uint8_t code = codes[i];
    if (code == 0 || code >= kDecodeTable.size()) break;
    text += kDecodeTable[code];
  }
  return text;
}
