// TCommPax on a real pseudo-terminal: bytes on the wire, frames back, and
// line settings that really reach the tty.
// termios2 to read back rates that have no Bxxx constant (stty shows 0 then).
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "frame_test_util.h"
#include "link/commpax.h"
#include "platform/posix_serial.h"

namespace {

using Clock = std::chrono::steady_clock;

class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    slavePath = ptsname(master);
    ASSERT_EQ(fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK), 0);
    pax.MaxPacketSize = 512;
    pax.OnRxPacket = [this](TCommPax&, int count, const uint8_t* data) {
      received.emplace_back(data, data + count);
    };
  }
  void TearDown() override {
    pax.Close();
    if (master >= 0) close(master);
  }

  // Reads from the master until want bytes came or the deadline passed.
  Bytes ReadMaster(size_t want) {
    Bytes out;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (out.size() < want && Clock::now() < deadline) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      uint8_t buf[256];
      const ssize_t n = read(master, buf, sizeof buf);
      if (n > 0) out.insert(out.end(), buf, buf + n);
    }
    return out;
  }

  // Plays the event loop: raises the device's input event while the slave
  // is readable, until want frames arrived or the deadline passed.
  void ReceiveFrames(size_t want) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (received.size() < want && Clock::now() < deadline) {
      pollfd p{device->Fd(), POLLIN, 0};
      if (poll(&p, 1, 100) > 0 && device->OnInput) device->OnInput();
    }
  }

  // `stty -a` of the slave, or "" when stty cannot run.
  std::string Stty() {
    const std::string command = "stty -a -F " + slavePath + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "";
    std::string out;
    char buf[512];
    while (fgets(buf, sizeof buf, pipe)) out += buf;
    return pclose(pipe) == 0 ? out : "";
  }

  void SetAndOpen(const std::string& mode) {
    ASSERT_TRUE(pax.Set(slavePath + ":" + mode));
    pax.Open();
  }

  int master = -1;
  std::string slavePath;
  PosixSerialDevice* device = nullptr;
  TCommPax pax{[this](const std::string& path, int& error) -> std::unique_ptr<ISerialDevice> {
    auto opened = PosixSerialDevice::Open(path, error);
    device = opened.get();
    return opened;
  }};
  std::vector<Bytes> received;
};

TEST_F(PtyTest, FramesTravelBothWays) {
  SetAndOpen("19200,N,8,1");
  const Bytes payload{0x00, 0x19, 0x03, 0xEE, 0x0A, 0x0D};
  pax.WritePacket(0x2A, payload.data(), static_cast<int>(payload.size()));
  const Bytes golden = GoldenFrame(0x2A, payload);
  EXPECT_EQ(ReadMaster(golden.size()), golden);

  const Bytes answer = Concat({GoldenFrame(0x2A, {0x00, 0x11, 0xEE}), GoldenFrame(0x2B, Bytes(512, 0x0A))});
  ASSERT_EQ(write(master, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
  ReceiveFrames(2);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0], (Bytes{0x2A, 0x00, 0x11, 0xEE}));
  Bytes second{0x2B};
  second.insert(second.end(), 512, 0x0A);
  EXPECT_EQ(received[1], second);
}

bool Has(const std::string& stty, const std::string& word) {
  return stty.find(" " + word + " ") != std::string::npos || stty.find(" " + word + "\n") != std::string::npos ||
         stty.find("\n" + word + " ") != std::string::npos;
}

TEST_F(PtyTest, SpeedStopBitsAndRawModeReachTheTty) {
  SetAndOpen("9600,E,7,1");
  std::string stty = Stty();
  if (stty.empty()) GTEST_SKIP() << "stty is not available";
  EXPECT_NE(stty.find("speed 9600 baud"), std::string::npos) << stty;
  for (const char* flag : {"-cstopb", "clocal", "cread", "-crtscts", "-ixon", "-ixoff", "-icanon", "-echo",
                           "-isig", "-opost", "-icrnl"})
    EXPECT_TRUE(Has(stty, flag)) << flag << "\n" << stty;

  // Changed while open: applied at once.
  pax.SetBaudRate(57600);
  pax.SetStopbits(sb15);  // 1.5 stop bits become 2 on Linux
  stty = Stty();
  EXPECT_NE(stty.find("speed 57600 baud"), std::string::npos) << stty;
  EXPECT_TRUE(Has(stty, "cstopb")) << stty;
}

// The Linux pty driver forces CS8 without parity whatever is set; on such a
// kernel this is only checkable on a real port.
TEST_F(PtyTest, ParityAndDataBitsReachTheTty) {
  const std::string before = Stty();
  if (before.empty()) GTEST_SKIP() << "stty is not available";
  if (std::system(("stty -F " + slavePath + " cs7 parenb 2>/dev/null").c_str()) != 0 || !Has(Stty(), "cs7"))
    GTEST_SKIP() << "this pseudo-terminal keeps no parity or data bits";
  SetAndOpen("9600,N,8,1");
  EXPECT_TRUE(Has(Stty(), "cs8"));
  EXPECT_TRUE(Has(Stty(), "-parenb"));
  pax.SetDatabits(7);
  pax.SetParity(paEven);
  const std::string stty = Stty();
  EXPECT_TRUE(Has(stty, "cs7")) << stty;
  EXPECT_TRUE(Has(stty, "parenb")) << stty;
  EXPECT_TRUE(Has(stty, "-parodd")) << stty;
  pax.SetParity(paMark);
  EXPECT_TRUE(Has(Stty(), "cmspar"));
}

// What Configure asks of the kernel for each setting, since a pty cannot show it.
TEST(LineControlFlags, MapsDataBitsParityAndStopBits) {
  struct Case {
    int Data;
    TParity Parity;
    TStopBits Stop;
    unsigned Flags;
  } cases[] = {
      {8, paNone, sb10, CS8},
      {7, paEven, sb10, CS7 | PARENB},
      {7, paOdd, sb20, CS7 | PARENB | PARODD | CSTOPB},
      {6, paMark, sb15, CS6 | PARENB | PARODD | CMSPAR | CSTOPB},
      {5, paSpace, sb10, CS5 | PARENB | CMSPAR},
  };
  for (const Case& c : cases) {
    unsigned flags = 0;
    ASSERT_TRUE(LineControlFlags({9600, c.Data, c.Parity, c.Stop}, flags));
    EXPECT_EQ(flags, c.Flags) << c.Data;
  }
  unsigned flags = 0;
  EXPECT_FALSE(LineControlFlags({9600, 4, paNone, sb10}, flags));
  EXPECT_FALSE(LineControlFlags({9600, 9, paNone, sb10}, flags));
}

TEST_F(PtyTest, RatesWithoutABConstantAreSet) {
  for (int rate : {14400, 56000, 128000, 256000}) {
    pax.Close();
    SetAndOpen(std::to_string(rate) + ",N,8,1");
    termios2 t{};
    ASSERT_EQ(ioctl(device->Fd(), TCGETS2, &t), 0);
    EXPECT_EQ(t.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER)) << rate;
    EXPECT_EQ(t.c_ospeed, static_cast<speed_t>(rate));
    EXPECT_EQ(t.c_ispeed, static_cast<speed_t>(rate));
  }
}

TEST_F(PtyTest, FourDataBitsAreRefusedClearly) {
  SetAndOpen("9600,N,8,1");
  try {
    pax.SetDatabits(4);
    FAIL() << "no error";
  } catch (const ECommError& e) {
    EXPECT_STREQ(e.what(), "Error updating DataControlBlock (Error: 22) ");
  }
  EXPECT_EQ(pax.Databits(), 8);
}

TEST_F(PtyTest, DevicesThatCannotBeOpened) {
  const std::pair<const char*, const char*> cases[] = {
      {"/dev/vesta-no-such-tty:9600,N,8,1", "Error accessing specified device (Error: 2) "},
      {"/dev/null:9600,N,8,1", "Error accessing specified device (Error: 25) "},
      {"COMx:9600,N,8,1", "Error accessing specified device (Error: -1) "},
  };
  for (const auto& [settings, text] : cases) {
    pax.Set(settings);
    try {
      pax.Open();
      ADD_FAILURE() << settings << " opened";
    } catch (const ECommError& e) {
      EXPECT_STREQ(e.what(), text);
    }
    EXPECT_FALSE(pax.Enabled());
  }
}

}  // namespace
