#pragma once
// Telephone numbers travel as one code byte per character. Requests and
// replies use two different tables.
#include <cstdint>
#include <string>
#include <string_view>

// Writes count codes to out: each of the first count characters of text by
// its 1-based position in "1234567890*#F,SABCDTW-xxxxxxxx?P" (case-sensitive);
// an unknown character, and every position past the end of text, gives 0.
void EncodeDigits(std::string_view text, int count, uint8_t* out);

// Text of at most count characters: code k is the character at position k of
// ".1234567890*#FPSABCD"; a code 0, or 20 and above, ends the text.
std::string DecodeDigits(const uint8_t* codes, int count);
