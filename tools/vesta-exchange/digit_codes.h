#pragma once
// Telephone numbers as the exchange sends them: one code per character, the
// code being the character's position in ".1234567890*#FPSABCD" (the table
// the agent decodes with). Code 0 ends a number.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The codes of number, or nothing when a character has no code.
std::optional<std::vector<uint8_t>> EncodeNumber(const std::string& number);
// The inverse, for traces and tests: stops at code 0 or an unknown code.
std::string DecodeNumber(const uint8_t* codes, int count);
