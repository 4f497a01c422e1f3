// The English language file names every command and structure a log line
// can show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/render_packet.h"
#include "platform/ini_file.h"

namespace {
const TIniFile kEnglish(VESTA_SOURCE_DIR "/lang/VAgent.Eng");
std::string English(int number) { return kEnglish.ReadString("Texty", std::to_string(number), ""); }
}  // namespace

TEST(EnglishNames, EveryCommandAndStructureHasAName) {
  ASSERT_TRUE(kEnglish.FileExists());
  for (int n = 0; n < 44; ++n) EXPECT_NE(English(kCommandTextBase + n), "") << "command " << n;
  for (int n = 0; n < 50; ++n) EXPECT_NE(English(kStructureTextBase + n), "") << "structure " << n;
}

TEST(EnglishNames, AClientReadOfThePersonalRecordsReadsPlainly) {
  const std::vector<uint8_t> request = {0, 25, 3};
  std::string text;
  RenderPacket(TPacketDirection::Request, text, request.data(), 3, 0, false, English);
  EXPECT_EQ(text, "Read Personal[3]");
}
