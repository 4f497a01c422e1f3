// Log lines of requests and replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/data.h"
#include "codec/render_packet.h"

namespace {
using Bytes = std::vector<uint8_t>;

// Command N is named "cmdN", structure N "strN"; other numbers are missing.
std::string Names(int number) {
  if (number >= 2000 && number < 2050) return "str" + std::to_string(number - 2000);
  if (number >= 1000 && number < 1044) return "cmd" + std::to_string(number - 1000);
  return "";
}

std::string Render(TPacketDirection direction, Bytes payload, uint8_t requestType = 0,
                   bool dump = false, const TTextLookup& texts = Names) {
  std::string text = "previous content";
  RenderPacket(direction, text, payload.data(), static_cast<int>(payload.size()), requestType,
               dump, texts);
  return text;
}

struct Case {
  Bytes payload;
  uint8_t requestType;
  bool dump;
  std::string text;
};
}  // namespace

TEST(RenderPacket, Requests) {
  const Case cases[] = {
      {{0, 22, 0}, 0, false, "cmd0 str22"},
      {{0, 25, 3}, 0, false, "cmd0 str25[3]"},
      {{0, 60, 2}, 0, false, "cmd0 Str:60[2]"},
      {{13}, 0, false, "cmd13"},
      {{13, 1}, 0, true, "Cmd: ERROR"},
      {{45, 1, 2}, 0, false, "Cmd: 45 str1[2]"},
      {{1, 17, 0, 2, 0, 1, 0}, 0, true, "cmd1 str17 2 0 1 0"},
      {{1, 17, 0, 2, 0, 1, 0}, 0, false, "cmd1 str17"},
      {{33, 5}, 0, false, "cmd33 str5"},        // 32 and above: structure class
      {{18, 5, 83}, 0, true, "cmd18 5 83"},     // plain class: any length
      {{7}, 0, false, "cmd7"},
      {{0}, 0, true, "cmd0 "},                  // no structure byte
      {{0, 24}, 0, false, "cmd0 str24"},        // missing index counts as 0
      {{1, 49, 255}, 0, false, "cmd1 str49[255]"},
      {{43, 0, 0}, 0, false, "cmd43 str0"},
      {{255, 255, 255, 9}, 0, true, "Cmd: 255 Str:255[255] 9"},
      {{}, 0, true, "cmd0 "},                   // an empty request reads as command 0
  };
  for (const Case& c : cases)
    EXPECT_EQ(Render(TPacketDirection::Request, c.payload, 0, c.dump), c.text)
        << testing::PrintToString(c.payload);
}

TEST(RenderPacket, Replies) {
  const Case cases[] = {
      {{5, 24, 0}, 0, false, "str24Error 5: "},
      {{0, 7}, 12, false, "cmd12 7"},
      {{0}, 12, false, "cmd12 0"},                 // r1 beyond the count reads as 0
      {{0, 22, 0, 1, 2}, 0, true, "str22 1 2"},
      {{0, 25, 3}, 1, false, "str25[3]"},
      {{0, 60, 1}, 0, false, "Str:60[1]"},
      {{0, 60}, 22, true, "Str:60"},               // two bytes: name, no index
      {{0}, 0, true, ""},                          // one byte: nothing but the dump from 1
      {{3}, 0, true, "Error 3: "},
      {{0, 'a', 'b'}, 4, true, "cmd4  97 98"},
      {{0, 1, 2}, 2, true, "cmd2 1 2"},
      {{9, 1, 2}, 13, false, "cmd13Error 9: "},
      {{0, 1, 2}, 60, false, "str1[2]"},           // 24 and above: structure class
      {{}, 14, true, "cmd14"},
      {{}, 0, true, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Render(TPacketDirection::Reply, c.payload, c.requestType, c.dump), c.text)
        << testing::PrintToString(c.payload) << " to " << int(c.requestType);
}

TEST(RenderPacket, PiecesAreCutTo63Characters) {
  const std::string longName(100, 'n');
  auto texts = [&](int) { return longName; };
  // "%s " of a 100-character name keeps 63 characters: the blank is cut too.
  EXPECT_EQ(Render(TPacketDirection::Request, {0, 1, 2}, 0, false, texts),
            std::string(63, 'n') + std::string(63, 'n'));
  EXPECT_EQ(Render(TPacketDirection::Reply, {0, 7}, 12, false, texts), std::string(63, 'n'));
  auto sixty = [](int) { return std::string(60, 's'); };
  EXPECT_EQ(Render(TPacketDirection::Request, {0, 1, 200}, 0, false, sixty),
            std::string(60, 's') + " " + std::string(60, 's') + "[20");
}

TEST(RenderPacket, MissingTextsAreEmpty) {
  EXPECT_EQ(Render(TPacketDirection::Request, {0, 25, 3}, 0, false, nullptr), " [3]");
  EXPECT_EQ(Render(TPacketDirection::Request, {0, 25, 3}, 0, false,
                   [](int) { return std::string(); }),
            " [3]");
}

TEST(RenderPacket, NothingIsReadPastCount) {
  // Only the first byte is given; the bytes after it must not show.
  const Bytes bytes = {0, 25, 3, 4, 5};
  std::string text;
  RenderPacket(TPacketDirection::Request, text, bytes.data(), 1, 0, true, Names);
  EXPECT_EQ(text, "cmd0 ");
  RenderPacket(TPacketDirection::Reply, text, bytes.data(), 2, 0, true, Names);
  EXPECT_EQ(text, "str25");
  RenderPacket(TPacketDirection::Reply, text, nullptr, 5, 0, true, Names);
  EXPECT_EQ(text, "");
  RenderPacket(TPacketDirection::Request, text, bytes.data(), -3, 0, true, Names);
  EXPECT_EQ(text, "cmd0 ");
}

TEST(RenderPacket, TDataUsesTheLanguageTextsOfItsHooks) {
  TDataHooks hooks;
  hooks.Text = Names;
  TData data(hooks);
  const Bytes bytes = {0, 22, 0};
  std::string text;
  data.RenderPacket(TPacketDirection::Request, text, bytes.data(), 3, 0, false);
  EXPECT_EQ(text, "cmd0 str22");
}
