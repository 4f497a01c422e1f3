#include "dialogs/version_text.h"

#include <gtest/gtest.h>

TEST(VersionText, MinorInTwoDigitsAndTheReleaseAsALetter) {
  struct Case {
    int major, minor, release;
    const char* expected;
  };
  for (const Case& c : {Case{2, 10, 0, "2.10"}, Case{2, 5, 1, "2.05 A"}, Case{1, 0, 0, "1.00"},
                        Case{3, 7, 2, "3.07 B"}})
    EXPECT_EQ(VersionText(c.major, c.minor, c.release), c.expected);
}
