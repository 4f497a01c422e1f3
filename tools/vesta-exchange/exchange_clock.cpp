#include "exchange_clock.h"

#include <cstdio>

namespace exchange {

namespace {
// Howard Hinnant's days_from_civil / civil_from_days.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

int64_t ToSeconds(const CivilTime& t) {
  return DaysFromCivil(t.Year, t.Month, t.Day) * 86400 + t.Hour * 3600 + t.Minute * 60 + t.Second;
}

CivilTime FromSeconds(int64_t seconds) {
  CivilTime t;
  const int64_t days = FloorDiv(seconds, 86400);
  int64_t rest = seconds - days * 86400;
  CivilFromDays(days, t.Year, t.Month, t.Day);
  t.Hour = static_cast<int>(rest / 3600);
  t.Minute = static_cast<int>(rest / 60 % 60);
  t.Second = static_cast<int>(rest % 60);
  return t;
}

bool ParseCivilTime(const std::string& text, CivilTime& out) {
  CivilTime t;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.Year, &t.Month, &t.Day, &t.Hour,
                  &t.Minute, &t.Second, &tail) != 6)
    return false;
  if (t.Hour > 23 || t.Minute > 59 || t.Second > 59 || t.Hour < 0 || t.Minute < 0 || t.Second < 0)
    return false;
  // An impossible date does not survive the round trip.
  const CivilTime back = FromSeconds(ToSeconds(t));
  if (back.Year != t.Year || back.Month != t.Month || back.Day != t.Day) return false;
  out = t;
  return true;
}

std::string FormatCivilTime(const CivilTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour,
                t.Minute, t.Second);
  return text;
}

}  // namespace exchange
