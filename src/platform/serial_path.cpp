#include "platform/serial_path.h"

#include <cctype>

namespace {

constexpr int kHighestComPort = 256;

bool StartsWithComNoCase(const std::string& name) {
  static const char kCom[] = "COM";
  if (name.size() < 3) return false;
  for (int i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != kCom[i]) return false;
  return true;
}

// The port number after "COM", or 0 when the rest is not one.
int ComPortNumber(const std::string& digits) {
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n <= kHighestComPort ? n : 0;
}

}  // namespace

std::string SerialDevicePath(const std::string& deviceName) {
  if (!deviceName.empty() && deviceName[0] == '/') return deviceName;
  if (!StartsWithComNoCase(deviceName)) return "";
  const int n = ComPortNumber(deviceName.substr(3));
  if (n == 0) return "";
  return "/dev/ttyS" + std::to_string(n - 1);
}
