// TCommPax over the in-memory serial line: what reaches the line, what the
// events report, and the errors of the port.
#include "link/commpax.h"

#include <gtest/gtest.h>

#include "frame_test_util.h"
#include "platform/virtual/virtual_serial.h"

namespace {

// A line whose device can be made to fail or time out, wrapped around the
// virtual line's device.
class ScriptedDevice final : public ISerialDevice {
 public:
  explicit ScriptedDevice(std::unique_ptr<ISerialDevice> inner) : inner_(std::move(inner)) {
    inner_->OnInput = [this] { if (OnInput) OnInput(); };
  }
  bool Configure(const LineSettings& s) override { return !RefuseSettings && inner_->Configure(s); }
  int Write(const uint8_t* d, int n, int t) override {
    if (TimeOutWrites > 0) {
      --TimeOutWrites;
      return -1;
    }
    return inner_->Write(d, n, t);
  }
  int Read(uint8_t* d, int n) override { return FailReads ? -2 : inner_->Read(d, n); }
  int BytesWaiting() override { return inner_->BytesWaiting(); }
  void PurgeTransmit() override { inner_->PurgeTransmit(); }
  int SystemError() const override { return FailReads || RefuseSettings ? 22 : inner_->SystemError(); }

  static inline bool FailReads = false;
  static inline bool RefuseSettings = false;
  static inline int TimeOutWrites = 0;

 private:
  std::unique_ptr<ISerialDevice> inner_;
};

class CommPaxTest : public ::testing::Test {
 protected:
  CommPaxTest()
      : pax([this](const std::string&, int& error) -> std::unique_ptr<ISerialDevice> {
          if (openFails) {
            error = 2;
            return nullptr;
          }
          return std::make_unique<ScriptedDevice>(line.OpenDevice());
        }) {
    ScriptedDevice::FailReads = ScriptedDevice::RefuseSettings = false;
    ScriptedDevice::TimeOutWrites = 0;
    pax.MaxPacketSize = 512;
    pax.SetDeviceName("COM2");
    pax.OnRxPacket = [this](TCommPax& sender, int count, const uint8_t* data) {
      EXPECT_EQ(&sender, &pax);
      events.push_back("P" + Hex(Bytes(data, data + count)));
    };
    pax.OnRxChr = [this](TCommPax&, uint8_t b) {
      events.push_back("S" + Hex({b}) + " purged " + std::to_string(line.PurgeCount));
    };
  }
  static std::string Hex(const Bytes& bytes) {
    std::string out;
    char buf[4];
    for (uint8_t b : bytes) {
      snprintf(buf, sizeof buf, " %02X", b);
      out += buf;
    }
    return out;
  }
  std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const ECommError& e) {
      return e.what();
    }
    return "no error";
  }

  VirtualSerialLine line;
  bool openFails = false;
  TCommPax pax;
  std::vector<std::string> events;
};

TEST_F(CommPaxTest, WritePacketWritesEveryByteByItself) {
  pax.Open();
  const Bytes payload{0x00, 0xEE, 0x03};
  pax.WritePacket(0x07, payload.data(), 3);
  const Bytes golden = GoldenFrame(0x07, payload);
  ASSERT_EQ(line.WriteCalls().size(), golden.size());
  for (size_t i = 0; i < golden.size(); ++i) EXPECT_EQ(line.WriteCalls()[i].Bytes, Bytes{golden[i]}) << i;
  EXPECT_EQ(line.TakeTransmitted(), golden);
}

TEST_F(CommPaxTest, WriteTimeOutAbandonsOnlyThatByte) {
  pax.Open();
  ScriptedDevice::TimeOutWrites = 1;  // the start mark is lost
  const Bytes payload{0x41};
  pax.WritePacket(1, payload.data(), 1);
  const Bytes golden = GoldenFrame(1, payload);
  EXPECT_EQ(line.TakeTransmitted(), Bytes(golden.begin() + 1, golden.end()));
}

TEST_F(CommPaxTest, WriteErrorAbandonsTheFrame) {
  pax.Open();
  line.FailWrites = true;
  const Bytes payload{0x41};
  EXPECT_EQ(ErrorOf([&] { pax.WritePacket(1, payload.data(), 1); }), "Write error (Error: 5) ");
  EXPECT_TRUE(line.WriteCalls().empty());
}

TEST_F(CommPaxTest, FramesSplitOverEventsAndStraysArriveInOrder) {
  pax.Open();
  const Bytes a = GoldenFrame(1, {0xEE, 0x10});
  const Bytes b = GoldenFrame(2, {0x20});
  const Bytes wire = Concat({a, {0xE0}, b, a});
  for (size_t i = 0; i < wire.size(); i += 3)
    line.DeliverToAgent(Bytes(wire.begin() + i, wire.begin() + std::min(wire.size(), i + 3)));
  const std::vector<std::string> expected{"P 01 EE 10", "S E0 purged 1", "P 02 20", "P 01 EE 10"};
  EXPECT_EQ(events, expected);
}

TEST_F(CommPaxTest, StrayBytePurgesTheTransmitQueueBeforeItIsReported) {
  pax.Open();
  line.DeliverToAgent({0x41, 0x42});
  const std::vector<std::string> expected{"S 41 purged 1", "S 42 purged 2"};
  EXPECT_EQ(events, expected);
}

TEST_F(CommPaxTest, OneEventReadsAtMost4000Bytes) {
  pax.Open();
  const Bytes frame = GoldenFrame(9, Bytes(500, 0x41));
  Bytes wire;
  while (wire.size() < 4500) wire.insert(wire.end(), frame.begin(), frame.end());
  line.DeliverToAgent(wire);
  EXPECT_EQ(pax.InQueCount(), static_cast<int>(wire.size()) - TCommPax::kMaxReadPerEvent);
  const size_t delivered = events.size();
  EXPECT_EQ(delivered, TCommPax::kMaxReadPerEvent / frame.size());
  line.DeliverToAgent(GoldenFrame(10, {}));
  EXPECT_EQ(pax.InQueCount(), 0);
  EXPECT_EQ(events.size(), wire.size() / frame.size() + 1);
}

TEST_F(CommPaxTest, ReceiveStateSurvivesCloseAndReopen) {
  pax.Open();
  const Bytes a = GoldenFrame(1, {0x10, 0x20});
  line.DeliverToAgent(Bytes(a.begin(), a.begin() + 5));
  pax.Close();
  pax.Open();
  line.DeliverToAgent(Bytes(a.begin() + 5, a.end()));
  EXPECT_EQ(events, std::vector<std::string>{"P 01 10 20"});
}

TEST_F(CommPaxTest, HandlerMayCloseThePortMidRead) {
  pax.Open();
  pax.OnRxPacket = [this](TCommPax&, int, const uint8_t*) {
    events.push_back("P");
    pax.Close();
  };
  line.DeliverToAgent(Concat({GoldenFrame(1, {}), {0x41}, GoldenFrame(2, {})}));
  EXPECT_EQ(events, std::vector<std::string>{"P"});
  EXPECT_FALSE(pax.Enabled());
  EXPECT_FALSE(line.Open);
}

TEST_F(CommPaxTest, ReadErrorIsRaised) {
  pax.Open();
  ScriptedDevice::FailReads = true;
  EXPECT_EQ(ErrorOf([&] { line.DeliverToAgent({0x01}); }), "Read error (Error: 22) ");
}

TEST_F(CommPaxTest, ErrorsOfTheClosedPort) {
  const uint8_t b = 0;
  const std::string notOpen = "Port not open, unable to complete operation (Error: -1) ";
  EXPECT_EQ(ErrorOf([&] { pax.WritePacket(1, &b, 1); }), notOpen);
  EXPECT_EQ(ErrorOf([&] { pax.PurgeTransmit(); }), notOpen);
  EXPECT_EQ(ErrorOf([&] { pax.InQueCount(); }), notOpen);
  pax.RxChar(pax, 5);  // closed: nothing happens
  EXPECT_TRUE(events.empty());
}

TEST_F(CommPaxTest, OpenErrors) {
  for (const char* unknown : {"", "COM0", "COMx", "LPT1"}) {
    pax.SetDeviceName(unknown);
    EXPECT_EQ(ErrorOf([&] { pax.Open(); }), "Error accessing specified device (Error: -1) ") << unknown;
  }
  pax.SetDeviceName("COM2");
  openFails = true;
  EXPECT_EQ(ErrorOf([&] { pax.Open(); }), "Error accessing specified device (Error: 2) ");
  openFails = false;
  ScriptedDevice::RefuseSettings = true;
  EXPECT_EQ(ErrorOf([&] { pax.Open(); }), "Error updating DataControlBlock (Error: 22) ");
  EXPECT_FALSE(pax.Enabled());
  EXPECT_FALSE(line.Open);
  ScriptedDevice::RefuseSettings = false;
  pax.Open();
  EXPECT_EQ(ErrorOf([&] { pax.Open(); }), "Port already assigned (open) (Error: -1) ");
}

TEST_F(CommPaxTest, RefusedLineSettingKeepsTheOldValue) {
  pax.Open();
  ScriptedDevice::RefuseSettings = true;
  EXPECT_EQ(ErrorOf([&] { pax.SetDatabits(4); }), "Error updating DataControlBlock (Error: 22) ");
  EXPECT_EQ(pax.Databits(), 8);
  EXPECT_THROW(pax.SetDatabits(9), std::invalid_argument);
  EXPECT_THROW(pax.SetBaudRate(0), std::invalid_argument);
}

}  // namespace
