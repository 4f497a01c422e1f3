#pragma once
// The exchange's own calendar clock: a civil start time plus the virtual
// milliseconds that have passed. No wall clock is read here.
#include <cstdint>
#include <string>

namespace exchange {

struct CivilTime {
  int Year = 2026, Month = 1, Day = 5, Hour = 8, Minute = 0, Second = 0;
};

// Seconds since 1970-01-01 00:00:00 (proleptic Gregorian, no time zones).
int64_t ToSeconds(const CivilTime& t);
CivilTime FromSeconds(int64_t seconds);
// "YYYY-MM-DD HH:MM:SS"; false for anything else or an impossible date.
bool ParseCivilTime(const std::string& text, CivilTime& out);
std::string FormatCivilTime(const CivilTime& t);

class ExchangeClock {
 public:
  explicit ExchangeClock(CivilTime start = {}) : startSeconds_(ToSeconds(start)) {}
  CivilTime At(int64_t elapsedMs) const { return FromSeconds(startSeconds_ + elapsedMs / 1000); }

 private:
  int64_t startSeconds_;
};

}  // namespace exchange
