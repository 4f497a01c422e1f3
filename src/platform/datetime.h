#pragma once
// Date-time values as the exchange data and the log use them: days since
// 30 December 1899, the fraction of a day being the time of day.
#include <cstdint>

using TDateTime = double;

constexpr double kMsPerDay = 86400000.0;
constexpr TDateTime kOneMillisecond = 1.0 / kMsPerDay;

struct TimeOfDay {
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Splits the fraction of a day into its parts (rounded to the millisecond).
TimeOfDay DecodeTime(TDateTime value);
// Days since 30 Dec 1899 for a civil date (proleptic Gregorian).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
