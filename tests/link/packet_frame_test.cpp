// The frame writer and the receive state machine against golden frames.
#include "link/packet_frame.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "frame_test_util.h"
#include "link/crc32.h"

namespace {

// What the receiver reported, in order: "P" + the packet (count, then the
// LEN bytes) or "S" + the stray byte.
struct Event {
  char Kind;
  Bytes Data;
  bool operator==(const Event&) const = default;
};

void PrintTo(const Event& e, std::ostream* os) {
  *os << e.Kind << '[';
  for (uint8_t b : e.Data) *os << std::hex << int(b) << ' ';
  *os << ']';
}

Event Packet(const Bytes& lenBytes) { return {'P', lenBytes}; }
Event Stray(uint8_t b) { return {'S', {b}}; }

std::vector<Event> Receive(const Bytes& wire, int maxPacketSize = 512) {
  std::vector<Event> events;
  FrameReceiver rx;
  rx.MaxPacketSize = maxPacketSize;
  rx.OnPacket = [&](int count, const uint8_t* data) { events.push_back({'P', Bytes(data, data + count)}); };
  rx.OnStray = [&](uint8_t b) { events.push_back(Stray(b)); };
  for (uint8_t b : wire) rx.Process(b);
  return events;
}

Bytes Body(uint8_t number, const Bytes& payload) {
  Bytes body{number};
  body.insert(body.end(), payload.begin(), payload.end());
  return body;
}

// A payload of the given length whose frame CRC holds a 0xEE byte.
Bytes PayloadWithEeInCrc(uint8_t number) {
  for (int v = 0; v < 0x10000; ++v) {
    Bytes payload{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    const uint32_t crc = ZlibCrc(Body(number, payload));
    for (int shift = 0; shift < 32; shift += 8)
      if (((crc >> shift) & 0xFF) == 0xEE && payload[0] != 0xEE && payload[1] != 0xEE) return payload;
  }
  ADD_FAILURE() << "no such payload";
  return {};
}

TEST(Crc32, MatchesZlib) {
  const Bytes samples[] = {{}, {0x00}, {0xEE, 0x23}, Bytes(1000, 0xA5)};
  for (const Bytes& s : samples) EXPECT_EQ(Crc32(s.data(), s.size()), ZlibCrc(s));
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);
}

TEST(WriteFrame, MatchesGoldenFramesWithDoubling) {
  const Bytes eeInCrc = PayloadWithEeInCrc(7);
  struct Case {
    const char* Name;
    uint8_t Number;
    Bytes Payload;
  } cases[] = {
      {"read block 3 of structure 25", 1, {0, 25, 3}},
      {"empty payload", 0, {}},
      {"0xEE as lead byte and in the payload", 0xEE, {0xEE, 0x23, 0xEE, 0xEE}},
      {"0xEE as LEN low byte (LEN 238)", 2, Bytes(237, 0x11)},
      {"0xEE in the CRC", 7, eeInCrc},
      {"largest payload the link sends", 3, Bytes(512, 0x5A)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(EncodeFrame(c.Number, c.Payload.data(), static_cast<int>(c.Payload.size())),
              GoldenFrame(c.Number, c.Payload));
  }
}

TEST(WriteFrame, EscapeFlagIsFalseOnlyForTheStartBytes) {
  const Bytes payload{0xEE};
  std::vector<std::pair<uint8_t, bool>> calls;
  WriteFrame(0xEE, payload.data(), 1, [&](uint8_t b, bool escape) { calls.emplace_back(b, escape); });
  ASSERT_EQ(calls.size(), 2u + 2 + 2 + 4);
  EXPECT_EQ(calls[0], std::make_pair(uint8_t{0xEE}, false));
  EXPECT_EQ(calls[1], std::make_pair(uint8_t{0x23}, false));
  for (size_t i = 2; i < calls.size(); ++i) EXPECT_TRUE(calls[i].second) << i;
}

TEST(WriteFrame, RefusesCountsThatDoNotFitLen) {
  uint8_t b = 0;
  int calls = 0;
  auto count = [&](uint8_t, bool) { ++calls; };
  EXPECT_THROW(WriteFrame(1, &b, -1, count), std::invalid_argument);
  EXPECT_THROW(WriteFrame(1, &b, kMaxFramePayload + 1, count), std::invalid_argument);
  EXPECT_EQ(calls, 0);
}

TEST(FrameReceiver, DecodesTheFramesOfTheWriter) {
  const Bytes eeInCrc = PayloadWithEeInCrc(9);
  const Bytes payloads[] = {{0, 25, 3}, {}, {0xEE, 0xEE, 0x23, 0x00}, Bytes(237, 0xEE), eeInCrc, Bytes(512, 0x23)};
  for (const Bytes& p : payloads) {
    const Bytes wire = EncodeFrame(0xEE, p.data(), static_cast<int>(p.size()));
    EXPECT_EQ(Receive(wire), std::vector<Event>{Packet(Body(0xEE, p))}) << p.size();
  }
}

TEST(FrameReceiver, EdgeCasesOfTheByteStream) {
  const Bytes a = GoldenFrame(1, {0x10, 0x20, 0x30});
  const Bytes b = GoldenFrame(2, {0x40});
  const Bytes aBody = Body(1, {0x10, 0x20, 0x30});
  const Bytes bBody = Body(2, {0x40});
  Bytes badCrc = a;
  badCrc.back() ^= 0x01;
  struct Case {
    const char* Name;
    Bytes Wire;
    std::vector<Event> Expected;
  } cases[] = {
      {"two frames in one read, in order", Concat({a, b}), {Packet(aBody), Packet(bBody)}},
      {"bytes outside a frame are strays", Concat({{0x41, 0x23}, a, {0x42}}),
       {Stray(0x41), Stray(0x23), Packet(aBody), Stray(0x42)}},
      {"0xEE 0xEE 0x23 in Hunt begins a frame", Concat({{0xEE}, a}), {Packet(aBody)}},
      {"0xEE then another byte in Hunt drops that byte", Concat({{0xEE, 0x41, 0x42}, a}),
       {Stray(0x42), Packet(aBody)}},
      {"0xEE 0x23 mid-body restarts with a new length", Concat({Bytes(a.begin(), a.begin() + 6), b}),
       {Packet(bBody)}},
      {"0xEE 0x23 after the low LEN byte restarts", Concat({{0xEE, 0x23, 0x05}, b}), {Packet(bBody)}},
      {"0xEE 0x23 after the high LEN byte restarts", Concat({{0xEE, 0x23, 0x05, 0xEE}, {0x23, 0x02, 0x00}, Bytes(b.begin() + 4, b.end())}),
       {Packet(bBody)}},
      {"lone 0xEE in the body abandons the frame, the next byte is dropped",
       {0xEE, 0x23, 0x03, 0x00, 0x01, 0xEE, 0x41, 0x42}, {Stray(0x42)}},
      {"bad CRC is dropped silently and the next frame is found", Concat({badCrc, b}), {Packet(bBody)}},
      {"LEN 0 with CRC 00 00 00 00 gives Count 0", {0xEE, 0x23, 0, 0, 0, 0, 0, 0}, {Packet({})}},
      {"LEN 0 with another CRC is dropped", Concat({{0xEE, 0x23, 0, 0, 1, 0, 0, 0}, b}), {Packet(bBody)}},
      {"LEN whose high byte is 0xEE is too long", Concat({{0xEE, 0x23, 0x01, 0xEE, 0xEE, 0x41}, b}),
       {Stray(0x41), Packet(bBody)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Receive(c.Wire), c.Expected);
  }
}

TEST(FrameReceiver, LengthLimitFollowsMaxPacketSize) {
  const Bytes payload512(512, 0x41);
  const Bytes payload513(513, 0x41);
  EXPECT_EQ(Receive(GoldenFrame(5, payload512)), std::vector<Event>{Packet(Body(5, payload512))});

  // LEN 514 is dropped at its second length byte; its remaining bytes are
  // read in Hunt and reach OnStray up to the next 0xEE.
  const Bytes tooLong = GoldenFrame(5, payload513);
  std::vector<Event> expected;
  for (size_t i = 4; i < tooLong.size() && tooLong[i] != 0xEE; ++i) expected.push_back(Stray(tooLong[i]));
  ASSERT_GE(expected.size(), 514u);
  const auto events = Receive(tooLong);
  ASSERT_GE(events.size(), expected.size());
  EXPECT_EQ(std::vector<Event>(events.begin(), events.begin() + expected.size()), expected);

  // MaxPacketSize 0 (the default) passes LEN 0 and 1 only.
  EXPECT_EQ(Receive(GoldenFrame(5, {}), 0), std::vector<Event>{Packet({5})});
  EXPECT_EQ(Receive(Concat({GoldenFrame(5, {0x41}), GoldenFrame(6, {})}), 0).back(), Packet({6}));
}

TEST(FrameReceiver, MaxPacketSizeBeyondTheBufferActsAs4092) {
  const Bytes largest(FrameReceiver::kMaxPacketSizeLimit, 0x41);
  const Bytes oneMore(FrameReceiver::kMaxPacketSizeLimit + 1, 0x41);
  EXPECT_EQ(Receive(GoldenFrame(1, largest), INT_MAX), std::vector<Event>{Packet(Body(1, largest))});
  const auto events = Receive(Concat({GoldenFrame(1, oneMore), GoldenFrame(2, {})}), INT_MAX);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), Packet({2}));
  for (size_t i = 0; i + 1 < events.size(); ++i) EXPECT_EQ(events[i].Kind, 'S');
}

// Hostile input, biased towards the framing bytes and huge lengths, must never
// reach outside the receive buffer (run under AddressSanitizer) and must
// leave the receiver able to find the next good frame.
TEST(FrameReceiver, HostileInputStaysInsideTheBuffer) {
  std::mt19937 random(20240601);
  const Bytes good = GoldenFrame(0x33, {1, 2, 3});
  for (int maxPacketSize : {0, 512, FrameReceiver::kMaxPacketSizeLimit, INT_MAX, -5}) {
    FrameReceiver rx;
    rx.MaxPacketSize = maxPacketSize;
    int lastCount = -1;
    rx.OnPacket = [&](int count, const uint8_t* data) {
      EXPECT_LE(count, FrameReceiver::kMaxPacketSizeLimit + 1);
      volatile uint8_t touch = data[count + 3];  // the CRC bytes lie inside the buffer too
      (void)touch;
      lastCount = count;
    };
    for (int segment = 0; segment < 100; ++segment) {
      for (int i = 0; i < 2000; ++i) {  // noise rich in framing bytes
        const unsigned r = random() % 8;
        rx.Process(r == 0 ? 0xEE : r == 1 ? 0x23 : r == 2 ? 0x0F : static_cast<uint8_t>(random()));
      }
      // Back to Hunt from any state (0xEE then a plain byte, twice), then a
      // header near or above the buffer's limit and a long run without 0xEE.
      for (uint8_t b : {0xEE, 0x41, 0xEE, 0x41}) rx.Process(b);
      const unsigned len = segment % 2 ? 4090 + random() % 10 : 4000 + random() % 61536;
      const Bytes header{0xEE, 0x23, uint8_t(len & 0xFF), uint8_t(len >> 8)};
      for (size_t i = 0; i < header.size(); ++i) {
        rx.Process(header[i]);
        if (i >= 2 && header[i] == 0xEE) rx.Process(0xEE);
      }
      for (unsigned i = 4000 + random() % 2000; i > 0; --i) rx.Process(static_cast<uint8_t>(random() % 0xEE));
    }
    for (int i = 0; i < 5000; ++i) rx.Process(0x00);  // let a pending long frame end
    lastCount = -1;
    for (uint8_t b : Concat({{0x00, 0x00, 0x00, 0x00, 0x00}, good})) rx.Process(b);
    if (maxPacketSize >= 3) {
      EXPECT_EQ(lastCount, 4) << maxPacketSize;
    }
  }
}

}  // namespace
