#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/digit_codes.h"

using Bytes = std::vector<uint8_t>;

TEST(EncodeDigits, EachCharacterBecomesItsPositionInTheRequestTable) {
  struct Case {
    std::string text;
    int count;
    Bytes codes;
  };
  const Case cases[] = {
      {"0123*#", 8, {10, 1, 2, 3, 11, 12, 0, 0}},  // past the end of text gives 0
      {"p", 1, {0}},                               // case-sensitive: lower-case p unknown
      {"P", 1, {32}},
      {",", 1, {14}},
      {"FSABCDTW-x?", 11, {13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 31}},
      {"9 8", 3, {9, 0, 8}},                       // unknown characters give 0
      {"12345", 2, {1, 2}},                        // only count characters are written
      {std::string("1\0" "2", 3), 3, {1, 0, 2}},   // a zero byte is not in the table
  };
  for (const Case& c : cases) {
    Bytes out(c.count, 0xEE);
    EncodeDigits(c.text, c.count, out.data());
    EXPECT_EQ(out, c.codes) << c.text;
  }
}

TEST(DecodeDigits, CodesMapToTheReplyTableAndZeroOrTwentyEndTheText) {
  struct Case {
    Bytes codes;
    std::string text;
  };
  const Case cases[] = {
      {{3, 10, 12, 14, 0, 5}, "30#P"},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, "1234567890*#FPSABCD"},
      {{1, 20, 2}, "1"},
      {{1, 255, 2}, "1"},
      {{0, 1}, ""},
      {{}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecodeDigits(c.codes.data(), static_cast<int>(c.codes.size())), c.text);
}
