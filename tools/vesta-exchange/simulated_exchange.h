#pragma once
// The simulated exchange over any byte stream: feed it the bytes received
// from the line, take the bytes it sends, and tell it when time passes.
// It reads no clock of its own, so tests run it in virtual time.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "exchange_clock.h"
#include "exchange_model.h"
#include "fault_switches.h"
#include "link/packet_frame.h"
#include "request_handler.h"
#include "traffic_model.h"

namespace exchange {

struct Scenario {
  ExchangeModel Model;
  TrafficSettings Traffic;
  CivilTime ClockStart;
};

class SimulatedExchange {
 public:
  // Largest request payload taken from the line, as the agent sends them.
  static constexpr int kMaxRequestPayload = 512;

  explicit SimulatedExchange(Scenario scenario);

  // Bytes from the line, in the order they arrived.
  void Receive(const uint8_t* data, size_t count);
  void Receive(const std::vector<uint8_t>& bytes) { Receive(bytes.data(), bytes.size()); }
  // The bytes due for the line; taking them empties the output.
  std::vector<uint8_t> TakeOutput();
  bool HasOutput() const { return !output_.empty(); }
  // Lets time pass: the traffic model runs and delayed answers fall due.
  void Advance(int64_t ms);
  int64_t NowMs() const { return nowMs_; }
  // Milliseconds until the next delayed answer is due, or -1 when none waits.
  int64_t MsUntilNextAnswer() const;

  // One line of the control protocol (fault switches and content commands);
  // returns the reply line.
  std::string Control(const std::string& line);

  FaultSwitches& Faults() { return faults_; }
  ExchangeModel& Model() { return model_; }
  const TrafficModel& Traffic() const { return traffic_; }
  size_t FramesReceived() const { return framesReceived_; }
  size_t FramesAnswered() const { return framesAnswered_; }

  // Every frame received and sent, and every fault applied, as a text line
  // with the virtual time at which it happened.
  std::function<void(int64_t nowMs, const std::string& line)> OnTrace;

 private:
  struct LastExchange {
    bool Valid = false;
    uint8_t Number = 0;
    std::vector<uint8_t> Request;
    std::vector<uint8_t> Answer;
  };

  void OnFrame(int count, const uint8_t* data);
  std::vector<uint8_t> AnswerFor(uint8_t number, const std::vector<uint8_t>& request);
  void Send(uint8_t number, const std::vector<uint8_t>& answer);
  void Emit(std::vector<uint8_t> bytes);
  void Trace(const std::string& line);
  std::string ContentCommand(const std::vector<std::string>& words);

  ExchangeModel model_;
  ExchangeClock clock_;
  RequestHandler handler_;
  TrafficModel traffic_;
  FaultSwitches faults_;
  FrameReceiver receiver_;
  LastExchange last_;
  std::vector<uint8_t> output_;
  std::multimap<int64_t, std::vector<uint8_t>> delayed_;   // due time -> bytes
  int64_t nowMs_ = 0;
  size_t framesReceived_ = 0;
  size_t framesAnswered_ = 0;
};

// "00 16 0A ..." for traces.
std::string HexBytes(const uint8_t* data, size_t count);
// Replaces the last CRC byte of an encoded frame with another value,
// keeping the 0xEE doubling intact.
void CorruptLastFrameByte(std::vector<uint8_t>& frame);
// The stray bytes sent before an answer while that fault is on.
const std::vector<uint8_t>& StrayBytes();

}  // namespace exchange
