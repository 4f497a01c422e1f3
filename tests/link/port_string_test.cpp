// Device names, mode strings and TCommPax::Set.
#include <gtest/gtest.h>

#include "link/commpax.h"
#include "link/mode_string.h"
#include "platform/serial_path.h"
#include "platform/virtual/virtual_serial.h"

namespace {

TEST(SerialDevicePath, MapsComNamesAndKeepsPaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"COM1", "/dev/ttyS0"},   {"COM2", "/dev/ttyS1"},         {"Com2", "/dev/ttyS1"},
      {"com10", "/dev/ttyS9"},  {"COM256", "/dev/ttyS255"},     {"/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"/dev/pts/5", "/dev/pts/5"},
      {"COM0", ""},             {"COMx", ""},                   {"COM", ""},
      {"", ""},                 {"COM01", ""},                  {"COM257", ""},
      {"COM2 ", ""},            {"LPT1", ""},                   {"ttyS0", ""},
  };
  for (const auto& [name, path] : cases) EXPECT_EQ(SerialDevicePath(name), path) << name;
}

struct ModeCase {
  const char* Mode;
  bool Accepted;
  std::optional<int> Baud = {};
  std::optional<TParity> Parity = {};
  std::optional<int> Data = {};
  std::optional<TStopBits> Stop = {};
};

TEST(ParseModeString, ReadsBothFormsAsTheModeCommand) {
  using P = TParity;
  using S = TStopBits;
  const ModeCase cases[] = {
      {"19200,N,8,1", true, 19200, P::None, 8, S::One},
      {"9600,E,7,1", true, 9600, P::Even, 7, S::One},
      {"96,n,8,1", true, 9600, P::None, 8, S::One},
      {"19,o,5,2", true, 19200, P::Odd, 5, S::Two},
      {"11", true, 110, {}, {}, S::Two},  // 110 baud brings 2 stop bits
      {"110,n,8,1", true, 110, P::None, 8, S::One},
      {"12345,N,8,1", true, 12345, P::None, 8, S::One},
      {"256000,m,8,1.5", true, 256000, P::Mark, 8, S::OnePointFive},
      {"9600,s,6", true, 9600, P::Space, 6, {}},
      {"9600", true, 9600, {}, {}, {}},
      {",,7", true, {}, {}, 7, {}},
      {" 9600 , N , 8 , 1 ", true, 9600, P::None, 8, S::One},
      {"", true, {}, {}, {}, {}},
      {"baud=1200 parity=N data=8 stop=1", true, 1200, P::None, 8, S::One},
      {"BAUD=96 PARITY=e", true, 9600, P::Even, {}, {}},
      {"stop=1.5 data=5", true, {}, {}, 5, S::OnePointFive},
      {"9600,N,8,1,x", false},      // flow control cannot be set on this link
      {"9600,N,8,1,", false},
      {"9600,X,8,1", false},
      {"9600,N,4,1", false},        // the mode syntax has 5 to 8 data bits
      {"9600,N,9,1", false},
      {"9600,N,8,3", false},
      {"9600,N,8,1.0", false},
      {"0,N,8,1", false},
      {"09600,N,8,1", false},
      {"-9600,N,8,1", false},
      {"96 00,N,8,1", false},
      {"99999999,N,8,1", false},
      {"9600;N;8;1", false},
      {"baud=9600,parity=N", false},  // the two forms do not mix
      {"9600,N baud=9600", false},
      {"baud=9600 baud=4800", false},
      {"baud= parity=N", false},
      {"baud=9600 xon=on", false},
      {"speed=9600", false},
      {"garbage", false},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.Mode);
    const auto m = ParseModeString(c.Mode);
    ASSERT_EQ(m.has_value(), c.Accepted);
    if (!m) continue;
    EXPECT_EQ(m->BaudRate, c.Baud);
    EXPECT_EQ(m->Parity, c.Parity);
    EXPECT_EQ(m->DataBits, c.Data);
    EXPECT_EQ(m->StopBits, c.Stop);
  }
}

class SetTest : public ::testing::Test {
 protected:
  SetTest() : pax([this](const std::string& path, int&) {
                  openedPath = path;
                  return line.OpenDevice();
                }) {
    // A known starting point that differs from every case below.
    EXPECT_TRUE(pax.Set("COM1:2400,O,5,2"));
  }
  void ExpectLine(const std::string& device, int baud, TParity parity, int data, TStopBits stop) {
    EXPECT_EQ(pax.DeviceName(), device);
    EXPECT_EQ(pax.BaudRate(), baud);
    EXPECT_EQ(pax.Parity(), parity);
    EXPECT_EQ(pax.Databits(), data);
    EXPECT_EQ(pax.Stopbits(), stop);
  }
  VirtualSerialLine line;
  std::string openedPath;
  TCommPax pax;
};

TEST_F(SetTest, AppliesThePortString) {
  EXPECT_TRUE(pax.Set("COM3:9600,E,7,1"));
  ExpectLine("COM3", 9600, paEven, 7, sb10);
}

TEST_F(SetTest, StringWithoutColonChangesNothing) {
  EXPECT_FALSE(pax.Set("COM3"));
  EXPECT_FALSE(pax.Set("COM3 9600,E,7,1"));
  ExpectLine("COM1", 2400, paOdd, 5, sb20);
}

TEST_F(SetTest, RateOutsideTheListKeepsTheOldRate) {
  EXPECT_TRUE(pax.Set("COM3:12345,N,8,1"));
  ExpectLine("COM3", 2400, paNone, 8, sb10);
  EXPECT_TRUE(pax.Set("COM3:150,N,8,1"));  // a MODE rate, but not one of the link's
  EXPECT_EQ(pax.BaudRate(), 2400);
}

TEST_F(SetTest, EveryRateOfTheListIsApplied) {
  for (int rate : {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200,
                   128000, 256000}) {
    EXPECT_TRUE(pax.Set("COM2:" + std::to_string(rate) + ",N,8,1"));
    EXPECT_EQ(pax.BaudRate(), rate);
  }
}

TEST_F(SetTest, SpaceParityIsNotApplied) {
  EXPECT_TRUE(pax.Set("COM2:9600,S,8,1"));
  ExpectLine("COM2", 9600, paOdd, 8, sb10);
  EXPECT_TRUE(pax.Set("COM2:9600,M,8,1.5"));
  ExpectLine("COM2", 9600, paMark, 8, sb15);
}

TEST_F(SetTest, RejectedModeChangesTheDeviceButNotTheLine) {
  EXPECT_FALSE(pax.Set("COM4:9600,Q,8,1"));
  ExpectLine("COM4", 2400, paOdd, 5, sb20);
  EXPECT_FALSE(pax.Set("/dev/pts/3:baud=9600 rts=hs"));
  ExpectLine("/dev/pts/3", 2400, paOdd, 5, sb20);
}

TEST_F(SetTest, BaudEqualsFormAndAbbreviations) {
  EXPECT_TRUE(pax.Set("COM2:baud=96 parity=e data=7 stop=2"));
  ExpectLine("COM2", 9600, paEven, 7, sb20);
  EXPECT_TRUE(pax.Set("COM2:19,n,8,1"));
  ExpectLine("COM2", 19200, paNone, 8, sb10);
}

TEST_F(SetTest, LongerThan39CharactersIsRefusedWhole) {
  const std::string exactly39 = "/dev/serial/by-id/usb-x:19200,N,8,1    ";
  ASSERT_EQ(exactly39.size(), 39u);
  EXPECT_TRUE(pax.Set(exactly39));
  ExpectLine("/dev/serial/by-id/usb-x", 19200, paNone, 8, sb10);
  EXPECT_FALSE(pax.Set(exactly39 + " "));
  EXPECT_FALSE(pax.Set("COM3:115200,E,7,1                         "));
  ExpectLine("/dev/serial/by-id/usb-x", 19200, paNone, 8, sb10);
}

TEST_F(SetTest, DeviceOfAnOpenPortCannotChangeButItsLineCan) {
  ASSERT_TRUE(pax.Set("COM2:19200,N,8,1"));
  pax.Open();
  EXPECT_EQ(openedPath, "/dev/ttyS1");
  EXPECT_EQ(line.Settings.BaudRate, 19200);
  try {
    pax.Set("COM3:9600,N,8,1");
    FAIL() << "no error";
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "Port already assigned (open) (Error: -1) ");
  }
  EXPECT_EQ(pax.DeviceName(), "COM2");
  pax.SetBaudRate(57600);
  pax.SetParity(paEven);
  EXPECT_EQ(line.Settings.BaudRate, 57600);
  EXPECT_EQ(line.Settings.Parity, TParity::Even);
}

}  // namespace
