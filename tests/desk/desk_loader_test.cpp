// TDESK loads the library through a real dlopen and finds its twelve names.
#include <gtest/gtest.h>

#include "desk/desk.h"
#include "fake_desk_probe.h"

namespace {
// Every entry point in contract order.
std::vector<bool> EntriesFound(const TDESK& d) {
  return {d.DESK_Init != nullptr,      d.DESK_DeInit != nullptr,    d.DESK_PutLines != nullptr,
          d.DESK_PutInfo != nullptr,   d.DESK_PutPorts != nullptr,  d.DESK_PutStates != nullptr,
          d.DESK_PutCLIP != nullptr,   d.DESK_PutFront != nullptr,  d.DESK_GetCommand != nullptr,
          d.DESK_PutAccLine != nullptr, d.DESK_PutShorts != nullptr, d.DESK_Users != nullptr};
}
}  // namespace

TEST(TDESK, LoadsFromTheGivenFolderAndFindsAllTwelveNames) {
  TDESK desk(DESK_LIBRARY_DIR);
  ASSERT_TRUE(desk.Loaded()) << desk.LoadError();
  EXPECT_TRUE(desk.Ready());
  EXPECT_EQ(EntriesFound(desk), std::vector<bool>(12, true));
  EXPECT_EQ(desk.LoadError(), "");
}

// The test executables sit in the build folder beside the library, as the
// agent sits beside the real one.
TEST(TDESK, LoadsFromBesideTheExecutableByDefault) {
  EXPECT_EQ(TDESK::ExecutableFolder(), DESK_LIBRARY_DIR);
  TDESK desk;
  EXPECT_TRUE(desk.Ready()) << desk.LoadError();
}

TEST(TDESK, AMissingLibraryIsNotLoadedAndNotReady) {
  TDESK desk("/nonexistent-folder", "libDESKSrvr-missing.so");
  EXPECT_FALSE(desk.Loaded());
  EXPECT_FALSE(desk.Ready());
  EXPECT_EQ(EntriesFound(desk), std::vector<bool>(12, false));
  EXPECT_NE(desk.LoadError(), "");
}

// The partial library lacks DESK_PutStates, the sixth name: the lookup
// stops there, though the later names exist.
TEST(TDESK, AMissingNameStopsTheLookupAndLeavesTheLibraryLoaded) {
  TDESK desk(DESK_PARTIAL_LIBRARY_DIR);
  EXPECT_TRUE(desk.Loaded());
  EXPECT_FALSE(desk.Ready());
  const std::vector<bool> expected = {true,  true,  true,  true,  true,  false,
                                      false, false, false, false, false, false};
  EXPECT_EQ(EntriesFound(desk), expected);
  EXPECT_EQ(desk.LoadError(), "missing DESK_PutStates");
}

TEST(TDESK, CallsReachTheLibraryWithTheirArguments) {
  TDESK desk(DESK_LIBRARY_DIR);
  ASSERT_TRUE(desk.Ready());
  FakeDeskProbe probe(DESK_LIBRARY_DIR);
  ASSERT_TRUE(probe.Ok());
  probe.Reset();

  TStates command{};
  command.Command = 4;
  command.Port = 7;
  probe.SetCommand(command);
  TStates filled{};
  desk.DESK_Init(nullptr, DESK_COMMAND_MESSAGE);
  desk.DESK_GetCommand(42, &filled);
  desk.DESK_PutAccLine("record");
  desk.DESK_DeInit();

  const auto calls = probe.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Name, "Init");
  EXPECT_EQ(calls[0].Int, 0x8191);
  EXPECT_EQ(calls[1].Name, "GetCommand");
  EXPECT_EQ(calls[1].Int, 42);
  EXPECT_EQ(filled.Command, 4);
  EXPECT_EQ(filled.Port, 7);
  EXPECT_EQ(calls[2].Name, "PutAccLine");
  EXPECT_EQ(std::string(calls[2].Bytes.begin(), calls[2].Bytes.end()), "record");
  EXPECT_EQ(calls[3].Name, "DeInit");
}
