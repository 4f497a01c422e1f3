#include "simulated_exchange.h"

#include <cstdio>

#include "digit_codes.h"
#include "platform/ini_file.h"

namespace exchange {

namespace {

constexpr char kHelp[] =
    "ok commands: silence on|off, wrong-number on|off, bad-crc on|off, stray on|off, "
    "delay MS, error COMMAND[/STRUCTURE] STATUS|off, error clear, faults off, status, "
    "bill TEXT, slot N KIND ADDRESS|SUBJECT|TEXT, slot N clear, "
    "port N STATE [FLAGS [CALLER]], traffic on|off, summary, help";

bool ParseIndex(const std::string& word, int limit, int& value) {
  return ParseInteger(word, value) && value >= 0 && value < limit;
}

std::string JoinFrom(const std::vector<std::string>& words, size_t first) {
  std::string text;
  for (size_t i = first; i < words.size(); ++i) text += (i > first ? " " : "") + words[i];
  return text;
}

}  // namespace

std::string HexBytes(const uint8_t* data, size_t count) {
  std::string text;
  char byte[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", data[i]);
    text += byte;
  }
  return text;
}

void CorruptLastFrameByte(std::vector<uint8_t>& frame) {
  if (frame.empty()) return;
  if (frame.back() == kFrameMark) {
    // A doubled 0xEE is one byte on the line: replace the pair.
    frame.resize(frame.size() - 2);
    frame.push_back(0x11);
    return;
  }
  frame.back() ^= 0xFF;
  if (frame.back() == kFrameMark) frame.push_back(kFrameMark);
}

const std::vector<uint8_t>& StrayBytes() {
  // 0xE0 cuts the agent's wait short; none of them may start a frame.
  static const std::vector<uint8_t> bytes{0x00, 0xE0, 0x55, 0x23, 0xE0};
  return bytes;
}

SimulatedExchange::SimulatedExchange(Scenario scenario)
    : model_(std::move(scenario.Model)),
      clock_(scenario.ClockStart),
      handler_(model_, clock_),
      traffic_(model_, clock_, scenario.Traffic) {
  receiver_.MaxPacketSize = kMaxRequestPayload;
  receiver_.OnPacket = [this](int count, const uint8_t* data) { OnFrame(count, data); };
  receiver_.OnStray = [this](uint8_t b) { Trace("RX stray byte " + HexBytes(&b, 1)); };
}

void SimulatedExchange::Receive(const uint8_t* data, size_t count) {
  for (size_t i = 0; i < count; ++i) receiver_.Process(data[i]);
}

std::vector<uint8_t> SimulatedExchange::TakeOutput() {
  std::vector<uint8_t> bytes;
  bytes.swap(output_);
  return bytes;
}

void SimulatedExchange::Advance(int64_t ms) {
  if (ms > 0) nowMs_ += ms;
  traffic_.AdvanceTo(nowMs_);
  while (!delayed_.empty() && delayed_.begin()->first <= nowMs_) {
    auto& bytes = delayed_.begin()->second;
    output_.insert(output_.end(), bytes.begin(), bytes.end());
    delayed_.erase(delayed_.begin());
  }
}

int64_t SimulatedExchange::MsUntilNextAnswer() const {
  if (delayed_.empty()) return -1;
  return std::max<int64_t>(0, delayed_.begin()->first - nowMs_);
}

void SimulatedExchange::OnFrame(int count, const uint8_t* data) {
  if (count < 1) {
    Trace("RX frame without packet number ignored");
    return;
  }
  ++framesReceived_;
  const uint8_t number = data[0];
  std::vector<uint8_t> request(data + 1, data + count);
  Trace("RX #" + std::to_string(number) + " [" + std::to_string(request.size()) + "] " +
        HexBytes(request.data(), request.size()));
  if (faults_.Silent) {
    Trace("silence: no answer");
    return;
  }
  Send(number, AnswerFor(number, request));
}

std::vector<uint8_t> SimulatedExchange::AnswerFor(uint8_t number,
                                                  const std::vector<uint8_t>& request) {
  // The agent repeats a frame whose answer it did not get; acting on it
  // again would, for command 4, take a record the agent never saw.
  if (last_.Valid && last_.Number == number && last_.Request == request) {
    Trace("repeated frame: same answer again");
    return last_.Answer;
  }
  std::vector<uint8_t> answer;
  if (auto status = faults_.ErrorFor(request)) {
    Trace("error fault: status " + std::to_string(*status));
    answer = {*status};
  } else {
    answer = handler_.Answer(request, nowMs_);
  }
  last_ = {true, number, request, answer};
  return answer;
}

void SimulatedExchange::Send(uint8_t number, const std::vector<uint8_t>& answer) {
  ++framesAnswered_;
  const uint8_t sentNumber = faults_.WrongNumber ? static_cast<uint8_t>(number + 1) : number;
  std::vector<uint8_t> bytes;
  if (faults_.StrayBytes) bytes = StrayBytes();
  auto frame = EncodeFrame(sentNumber, answer.data(), static_cast<int>(answer.size()));
  if (faults_.BadCrc) CorruptLastFrameByte(frame);
  bytes.insert(bytes.end(), frame.begin(), frame.end());

  std::string note;
  if (faults_.WrongNumber) note += " (wrong number)";
  if (faults_.BadCrc) note += " (bad CRC)";
  if (faults_.StrayBytes) note += " (after stray bytes)";
  if (faults_.DelayMs > 0) note += " (delayed " + std::to_string(faults_.DelayMs) + " ms)";
  Trace("TX #" + std::to_string(sentNumber) + " [" + std::to_string(answer.size()) + "] " +
        HexBytes(answer.data(), answer.size()) + note);

  if (faults_.DelayMs > 0)
    delayed_.emplace(nowMs_ + faults_.DelayMs, std::move(bytes));
  else
    Emit(std::move(bytes));
}

void SimulatedExchange::Emit(std::vector<uint8_t> bytes) {
  output_.insert(output_.end(), bytes.begin(), bytes.end());
}

void SimulatedExchange::Trace(const std::string& line) {
  if (OnTrace) OnTrace(nowMs_, line);
}

std::string SimulatedExchange::Control(const std::string& line) {
  const auto words = SplitWords(line);
  if (words.empty()) return "error: empty command (try help)";
  if (words[0] == "help") return kHelp;
  std::string reply = ContentCommand(words);
  if (reply.empty()) reply = ApplyFaultCommand(faults_, words);
  Trace("control: " + line + " -> " + reply);
  return reply;
}

// Commands that change what the exchange holds; "" for any other command.
std::string SimulatedExchange::ContentCommand(const std::vector<std::string>& words) {
  const std::string& name = words[0];
  if (name == "bill") {
    if (!model_.Billing.Add(JoinFrom(words, 1))) return "error: use: bill TEXT";
    return "ok " + std::to_string(model_.Billing.Waiting()) + " billing records waiting";
  }
  if (name == "slot") {
    int slot = 0;
    if (words.size() < 3 || !ParseIndex(words[1], kSlotCount, slot))
      return "error: use: slot 0..3 KIND ADDRESS|SUBJECT|TEXT, or slot 0..3 clear";
    if (words[2] == "clear") {
      model_.SetSlot(slot, 0, "", "", "");
      return "ok slot " + words[1] + " empty";
    }
    if (words[2].size() != 1 || words[2][0] == '0')
      return "error: the kind is one character (F, I, L, Q, V, Z)";
    const std::string message = JoinFrom(words, 3);
    const auto bar1 = message.find('|');
    const auto bar2 = bar1 == std::string::npos ? bar1 : message.find('|', bar1 + 1);
    if (bar2 == std::string::npos) return "error: the message is ADDRESS|SUBJECT|TEXT";
    model_.SetSlot(slot, words[2][0], message.substr(0, bar1),
                   message.substr(bar1 + 1, bar2 - bar1 - 1), message.substr(bar2 + 1));
    return "ok slot " + words[1] + " holds a message";
  }
  if (name == "port") {
    int port = 0, state = 0, flags = 0;
    if (words.size() < 3 || words.size() > 5 ||
        !ParseIndex(words[1], static_cast<int>(model_.Ports.size()), port) ||
        !ParseIndex(words[2], 256, state) ||
        (words.size() >= 4 && !ParseIndex(words[3], 256, flags)))
      return "error: use: port INDEX STATE [FLAGS [CALLER]] (index below " +
             std::to_string(model_.Ports.size()) + ", state and flags 0..255)";
    if (words.size() == 5 && !EncodeNumber(words[4]))
      return "error: the caller's number may hold only 0-9 * # F P S A B C D";
    Port& target = model_.Ports[port];
    target.State = static_cast<uint8_t>(state);
    target.Flags = static_cast<uint8_t>(flags);
    target.Caller = words.size() == 5 ? words[4] : "";
    return "ok port " + words[1] + " state " + words[2];
  }
  if (name == "traffic") {
    bool on = words.size() == 2 && words[1] == "on";
    if (words.size() != 2 || (!on && words[1] != "off")) return "error: use: traffic on|off";
    traffic_.SetEnabled(on, nowMs_);
    return std::string("ok traffic ") + (on ? "on" : "off");
  }
  if (name == "summary") {
    size_t busy = 0;
    for (const auto& p : model_.Ports) busy += p.State != kPortIdle;
    return "ok " + std::to_string(model_.Ports.size()) + " ports (" + std::to_string(busy) +
           " busy), " + std::to_string(model_.Billing.Waiting()) + " billing records waiting, " +
           std::to_string(model_.Billing.Taken()) + " taken, " +
           std::to_string(framesReceived_) + " frames received, mailbox counts [" +
           HexBytes(model_.MailboxCounts.data(), model_.MailboxCounts.size()) + "]";
  }
  return "";
}

}  // namespace exchange
