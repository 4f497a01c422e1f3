#pragma once
// A seeded, deterministic traffic model: in every step idle ports may
// start a call, calls ring, are answered and end, and each finished call
// queues a billing record. Time is whatever the caller says it is.
#include <cstdint>
#include <string>
#include <vector>

#include "exchange_clock.h"
#include "exchange_model.h"

namespace exchange {

struct TrafficSettings {
  bool Enabled = true;
  uint64_t Seed = 1;
  int StepMs = 1000;
  int CallPerMille = 30;      // chance per idle port and step that a call starts
  int IncomingPercent = 60;   // share of calls that ring at the port
  int RingMinSteps = 2, RingMaxSteps = 6;
  int DialMinSteps = 1, DialMaxSteps = 3;
  int TalkMinSteps = 5, TalkMaxSteps = 40;
  std::vector<std::string> ExternalNumbers;   // empty: numbers are made up
  bool QueueBilling = true;
};

// SplitMix64: the same sequence for the same seed on every platform.
class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // Uniform in [low, high]; low when high < low.
  int Between(int low, int high);

 private:
  uint64_t state_;
};

class TrafficModel {
 public:
  TrafficModel(ExchangeModel& model, ExchangeClock clock, TrafficSettings settings);

  // Runs every step that is due by nowMs.
  void AdvanceTo(int64_t nowMs);
  // Switching on again starts counting steps from nowMs, so no burst of
  // missed steps follows.
  void SetEnabled(bool enabled, int64_t nowMs);
  const TrafficSettings& Settings() const { return settings_; }
  size_t FinishedCalls() const { return finished_; }

 private:
  struct Call {
    bool Active = false;
    bool Incoming = false;
    int StepsLeft = 0;
    int64_t TalkStartMs = -1;
    std::string Number;
  };

  void Step(int64_t atMs);
  void StepCall(size_t port, int64_t atMs);
  void MaybeStartCall(size_t port);
  void AdoptCall(size_t port, int64_t atMs);
  void FinishCall(size_t port, int64_t atMs);
  std::string RandomExternalNumber();

  ExchangeModel& model_;
  ExchangeClock clock_;
  TrafficSettings settings_;
  SeededRandom random_;
  std::vector<Call> calls_;
  int64_t nextStepMs_;
  size_t finished_ = 0;
};

// The billing text of one call: start;extension;IN|OUT;number;seconds.
std::string BillingText(const CivilTime& start, const std::string& extension, bool incoming,
                        const std::string& number, int64_t seconds);

}  // namespace exchange
