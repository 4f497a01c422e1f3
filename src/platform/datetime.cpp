#include "platform/datetime.h"

#include <cmath>

TimeOfDay DecodeTime(TDateTime value) {
  double fraction = value - std::floor(value);
  auto ms = static_cast<int64_t>(std::llround(fraction * kMsPerDay));
  if (ms >= 86400000) ms = 86399999;
  TimeOfDay t;
  t.Millisecond = static_cast<int>(ms % 1000);
  t.Second = static_cast<int>(ms / 1000 % 60);
  t.Minute = static_cast<int>(ms / 60000 % 60);
  t.Hour = static_cast<int>(ms / 3600000);
  return t;
}

namespace {
// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
  constexpr int64_t kUnixEpochInDelphiDays = 25569;
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                           static_cast<unsigned>(day)) +
                             kUnixEpochInDelphiDays);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  return ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
}
