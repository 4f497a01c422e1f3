#include "traffic_model.h"

#include <algorithm>

namespace exchange {

uint64_t SeededRandom::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

int SeededRandom::Between(int low, int high) {
  if (high <= low) return low;
  return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
}

TrafficModel::TrafficModel(ExchangeModel& model, ExchangeClock clock, TrafficSettings settings)
    : model_(model),
      clock_(clock),
      settings_(std::move(settings)),
      random_(settings_.Seed),
      nextStepMs_(std::max(1, settings_.StepMs)) {
  settings_.StepMs = std::max(1, settings_.StepMs);
}

void TrafficModel::AdvanceTo(int64_t nowMs) {
  if (!settings_.Enabled) return;
  while (nextStepMs_ <= nowMs) {
    Step(nextStepMs_);
    nextStepMs_ += settings_.StepMs;
  }
}

void TrafficModel::SetEnabled(bool enabled, int64_t nowMs) {
  if (enabled && !settings_.Enabled) nextStepMs_ = nowMs + settings_.StepMs;
  settings_.Enabled = enabled;
}

void TrafficModel::Step(int64_t atMs) {
  calls_.resize(model_.Ports.size());
  for (size_t port = 0; port < model_.Ports.size(); ++port) {
    const uint8_t state = model_.Ports[port].State;
    if (calls_[port].Active)
      StepCall(port, atMs);
    else if (state == kPortIdle)
      MaybeStartCall(port);
    else if (state == kPortRinging || state == kPortDialling || state == kPortTalking)
      AdoptCall(port, atMs);
  }
}

void TrafficModel::MaybeStartCall(size_t port) {
  if (random_.Between(1, 1000) > settings_.CallPerMille) return;
  Call& call = calls_[port];
  Port& state = model_.Ports[port];
  call = Call{};
  call.Active = true;
  call.Incoming = random_.Between(1, 100) <= settings_.IncomingPercent;
  call.Number = RandomExternalNumber();
  if (call.Incoming) {
    state.State = kPortRinging;
    state.Flags |= kFlagCallerData;
    state.Caller = call.Number;
    call.StepsLeft = random_.Between(settings_.RingMinSteps, settings_.RingMaxSteps);
  } else {
    state.State = kPortDialling;
    call.StepsLeft = random_.Between(settings_.DialMinSteps, settings_.DialMaxSteps);
  }
}

void TrafficModel::AdoptCall(size_t port, int64_t atMs) {
  // A call the scenario set up: it goes on from its present state.
  Call& call = calls_[port];
  const Port& state = model_.Ports[port];
  call = Call{};
  call.Active = true;
  call.Incoming = state.State == kPortRinging || !state.Caller.empty();
  call.Number = state.Caller.empty() ? RandomExternalNumber() : state.Caller;
  call.TalkStartMs = atMs;
  call.StepsLeft = state.State == kPortTalking
                       ? random_.Between(settings_.TalkMinSteps, settings_.TalkMaxSteps)
                       : random_.Between(settings_.RingMinSteps, settings_.RingMaxSteps);
}

void TrafficModel::StepCall(size_t port, int64_t atMs) {
  Call& call = calls_[port];
  Port& state = model_.Ports[port];
  if (state.State != kPortRinging && state.State != kPortDialling &&
      state.State != kPortTalking) {
    call.Active = false;  // someone else changed the port; forget the call
    return;
  }
  if (--call.StepsLeft > 0) return;
  if (state.State == kPortTalking) {
    FinishCall(port, atMs);
    return;
  }
  state.State = kPortTalking;   // answered, or the far end picked up
  call.TalkStartMs = atMs;
  call.StepsLeft = random_.Between(settings_.TalkMinSteps, settings_.TalkMaxSteps);
}

void TrafficModel::FinishCall(size_t port, int64_t atMs) {
  Call& call = calls_[port];
  Port& state = model_.Ports[port];
  state.State = kPortIdle;
  state.Flags = 0;
  state.Caller.clear();
  ++finished_;
  if (settings_.QueueBilling)
    model_.Billing.Add(BillingText(clock_.At(call.TalkStartMs), state.Number, call.Incoming,
                                   call.Number, (atMs - call.TalkStartMs) / 1000));
  call = Call{};
}

std::string TrafficModel::RandomExternalNumber() {
  const auto& numbers = settings_.ExternalNumbers;
  if (!numbers.empty())
    return numbers[random_.Between(0, static_cast<int>(numbers.size()) - 1)];
  std::string number = "06";
  for (int i = 0; i < 8; ++i) number += static_cast<char>('0' + random_.Between(0, 9));
  return number;
}

std::string BillingText(const CivilTime& start, const std::string& extension, bool incoming,
                        const std::string& number, int64_t seconds) {
  return FormatCivilTime(start) + ";" + extension + ";" + (incoming ? "IN" : "OUT") + ";" +
         number + ";" + std::to_string(seconds);
}

}  // namespace exchange
