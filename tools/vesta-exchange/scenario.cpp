#include "scenario.h"

#include <cstdio>
#include <sstream>

#include "digit_codes.h"
#include "platform/ini_file.h"
#include "short_numbers.h"

namespace exchange {

namespace {

constexpr int kDefaultPorts = 16;
constexpr int kDefaultFirstExtension = 201;

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(TrimBlanks(part));
  if (!text.empty() && text.back() == separator) parts.push_back("");
  return parts;
}

void SetDefaultRecords(ExchangeModel& model) {
  // Bytes 0..3 the exchange's type, byte 4 the protocol generation the
  // agent expects (2), byte 5 zero (anything else makes the agent ask).
  model.Config = {'V', 'S', 'X', '1', 2, 0, kDefaultPorts, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  model.Info = {3, 0x10, 0, 0, kDefaultPorts, 0, 0};
}

// Port structure: port count, then per port its type (1 extension) and
// its group.
void FillPortStruct(ExchangeModel& model) {
  model.PortStruct.fill(0);
  model.PortStruct[0] = static_cast<uint8_t>(model.Ports.size());
  for (size_t i = 0; i < model.Ports.size(); ++i) {
    model.PortStruct[1 + 2 * i] = 1;
    model.PortStruct[2 + 2 * i] = static_cast<uint8_t>(i / 8);
  }
}

void SetPorts(ExchangeModel& model, int count, int firstExtension) {
  model.Ports.assign(count, Port{});
  for (int i = 0; i < count; ++i) model.Ports[i].Number = std::to_string(firstExtension + i);
  model.Info[4] = static_cast<uint8_t>(count);
  model.Config[6] = static_cast<uint8_t>(count);
  FillPortStruct(model);
}

// Reads keys with clear errors; the first error wins.
class ScenarioReader {
 public:
  explicit ScenarioReader(const TIniFile& ini) : ini_(ini) {}
  const std::string& Error() const { return error_; }
  bool Failed() const { return !error_.empty(); }

  bool Has(const std::string& section, const std::string& key) const {
    return ini_.ReadString(section, key, kMissing) != kMissing;
  }
  std::string Text(const std::string& section, const std::string& key,
                   const std::string& fallback) const {
    return ini_.ReadString(section, key, fallback);
  }
  void Int(const std::string& section, const std::string& key, int low, int high, int& value) {
    if (!Has(section, key) || Failed()) return;
    int parsed = 0;
    const std::string text = Text(section, key, "");
    if (!ParseInteger(text, parsed) || parsed < low || parsed > high)
      Fail(section, key, "'" + text + "' is not a whole number from " + std::to_string(low) +
                             " to " + std::to_string(high));
    else
      value = parsed;
  }
  void Bool(const std::string& section, const std::string& key, bool& value) {
    if (!Has(section, key) || Failed()) return;
    const std::string text = Text(section, key, "");
    if (text == "1" || SameTextAscii(text, "yes") || SameTextAscii(text, "on"))
      value = true;
    else if (text == "0" || SameTextAscii(text, "no") || SameTextAscii(text, "off"))
      value = false;
    else
      Fail(section, key, "'" + text + "' is neither 1 nor 0");
  }
  // "LOW-HIGH" or a single number.
  void Range(const std::string& section, const std::string& key, int& low, int& high) {
    if (!Has(section, key) || Failed()) return;
    const std::string text = Text(section, key, "");
    const auto dash = text.find('-');
    int a = 0, b = 0;
    bool ok = ParseInteger(dash == std::string::npos ? text : text.substr(0, dash), a);
    ok = ok && ParseInteger(dash == std::string::npos ? text : text.substr(dash + 1), b);
    if (!ok || a < 1 || b < a || b > 100000)
      Fail(section, key, "'" + text + "' is not a range LOW-HIGH of steps (1 or more)");
    else
      low = a, high = b;
  }
  // Bytes in hex, separated by blanks or commas; at most size of them, the
  // rest of out left as it is.
  void Hex(const std::string& section, const std::string& key, uint8_t* out, size_t size) {
    if (!Has(section, key) || Failed()) return;
    std::string text = Text(section, key, "");
    for (char& c : text)
      if (c == ',') c = ' ';
    std::istringstream in(text);
    std::vector<uint8_t> bytes;
    for (std::string word; in >> word;) {
      char* end = nullptr;
      const unsigned long value = std::strtoul(word.c_str(), &end, 16);
      if (*end != 0 || value > 255 || word.size() > 2) {
        Fail(section, key, "'" + word + "' is not a hex byte");
        return;
      }
      bytes.push_back(static_cast<uint8_t>(value));
    }
    if (bytes.size() > size) {
      Fail(section, key, "holds " + std::to_string(bytes.size()) + " bytes, at most " +
                             std::to_string(size) + " fit");
      return;
    }
    std::copy(bytes.begin(), bytes.end(), out);
  }
  void Fail(const std::string& section, const std::string& key, const std::string& why) {
    if (error_.empty()) error_ = "[" + section + "] " + key + ": " + why;
  }
  void FailSection(const std::string& section, const std::string& why) {
    if (error_.empty()) error_ = "[" + section + "]: " + why;
  }
  std::vector<std::pair<std::string, std::string>> Values(const std::string& section) const {
    TStringList lines;
    ini_.ReadSectionValues(section, lines);
    std::vector<std::pair<std::string, std::string>> values;
    for (const auto& line : lines.Lines)
      values.emplace_back(TStringList::NameOf(line), TrimBlanks(TStringList::ValueOf(line)));
    return values;
  }
  bool SectionExists(const std::string& section) const { return ini_.SectionExists(section); }

 private:
  static constexpr const char* kMissing = "\x01missing\x01";
  const TIniFile& ini_;
  std::string error_;
};

bool ValidNumber(const std::string& number, size_t maxLength) {
  return !number.empty() && number.size() <= maxLength && EncodeNumber(number).has_value();
}

void ReadExchange(ScenarioReader& in, Scenario& s) {
  const std::string section = "Exchange";
  if (in.Has(section, "Clock") && !ParseCivilTime(in.Text(section, "Clock", ""), s.ClockStart))
    in.Fail(section, "Clock", "'" + in.Text(section, "Clock", "") +
                                  "' is not a time YYYY-MM-DD HH:MM:SS");
  int major = s.Model.Info[0], minor = s.Model.Info[1], base = s.Model.Info[2];
  in.Int(section, "VersionMajor", 0, 255, major);
  in.Int(section, "VersionMinor", 0, 255, minor);
  in.Int(section, "PortBase", 0, 255, base);
  s.Model.Info[0] = static_cast<uint8_t>(major);
  s.Model.Info[1] = static_cast<uint8_t>(minor);
  s.Model.Info[2] = static_cast<uint8_t>(base);
}

void ReadPorts(ScenarioReader& in, Scenario& s) {
  int count = static_cast<int>(s.Model.Ports.size()), first = kDefaultFirstExtension;
  in.Int("Ports", "Count", 1, kMaxPorts, count);
  in.Int("Ports", "FirstNumber", 0, 99999999, first);
  if (in.Failed()) return;
  SetPorts(s.Model, count, first);
  for (int i = 0; i < count && !in.Failed(); ++i) {
    const std::string section = "Port" + std::to_string(i);
    Port& port = s.Model.Ports[i];
    port.Number = in.Text(section, "Number", port.Number);
    if (!ValidNumber(port.Number, 16)) in.Fail(section, "Number", "'" + port.Number + "' is not an extension number");
    int state = port.State, flags = port.Flags;
    in.Int(section, "State", 0, 255, state);
    in.Int(section, "Flags", 0, 255, flags);
    port.State = static_cast<uint8_t>(state);
    port.Flags = static_cast<uint8_t>(flags);
    port.Caller = in.Text(section, "Caller", "");
    if (!port.Caller.empty() && !ValidNumber(port.Caller, 40))
      in.Fail(section, "Caller", "'" + port.Caller + "' may hold only 0-9 * # F P S A B C D");
  }
}

void ReadExchangeRecords(ScenarioReader& in, Scenario& s) {
  // After the ports: the port count goes into these records first.
  in.Hex("Exchange", "Config", s.Model.Config.data(), s.Model.Config.size());
  in.Hex("Exchange", "PortStruct", s.Model.PortStruct.data(), s.Model.PortStruct.size());
}

void ReadMailboxes(ScenarioReader& in, Scenario& s) {
  if (!in.Has("Mailboxes", "Numbers")) return;
  const std::string text = in.Text("Mailboxes", "Numbers", "");
  std::vector<std::string> numbers = text.empty() ? std::vector<std::string>{} : SplitAt(text, ',');
  if (numbers.size() > static_cast<size_t>(kMaxMailboxes))
    return in.Fail("Mailboxes", "Numbers", "more than " + std::to_string(kMaxMailboxes) + " mailboxes");
  for (const auto& number : numbers)
    if (!ValidNumber(number, kMailboxDigits))
      return in.Fail("Mailboxes", "Numbers", "'" + number +
                                                 "' is not a mailbox number of 1 to 4 digits");
  s.Model.Mailboxes = numbers;
}

void ReadPersonal(ScenarioReader& in, Scenario& s) {
  if (!in.SectionExists("Personal")) return;
  int count = 0;
  in.Int("Personal", "Count", 0, kMaxPersonal, count);
  std::vector<std::vector<ShortNumber>> records(count);
  for (int n = 0; n < count && !in.Failed(); ++n) {
    const std::string section = "Personal" + std::to_string(n);
    for (const auto& [key, value] : in.Values(section)) {
      const auto parts = SplitAt(value, ',');
      if (parts.size() != 2) return in.Fail(section, key, "'" + value + "' is not NAME,NUMBER");
      records[n].push_back({parts[0], parts[1]});
    }
  }
  if (in.Failed()) return;
  std::string error;
  if (!LayOutShortNumbers(records, s.Model, error)) in.FailSection("Personal", error);
}

void ReadSlots(ScenarioReader& in, Scenario& s) {
  if (!in.SectionExists("Slots")) return;
  for (int slot = 0; slot < kSlotCount; ++slot) s.Model.SetSlot(slot, 0, "", "", "");
  for (const auto& [key, value] : in.Values("Slots")) {
    int slot = -1;
    if (key.size() == 5 && SameTextAscii(key.substr(0, 4), "Slot") && key[4] >= '0' && key[4] <= '3')
      slot = key[4] - '0';
    if (slot < 0) return in.Fail("Slots", key, "the keys are Slot0 to Slot3");
    const auto parts = SplitAt(value, '|');
    if (parts.size() != 4 || parts[0].size() != 1)
      return in.Fail("Slots", key, "'" + value + "' is not KIND|ADDRESS|SUBJECT|TEXT");
    s.Model.SetSlot(slot, parts[0][0], parts[1], parts[2], parts[3]);
  }
}

void ReadBilling(ScenarioReader& in, Scenario& s) {
  if (!in.SectionExists("Billing")) return;
  s.Model.Billing = BillingQueue{};
  for (const auto& [key, value] : in.Values("Billing"))
    if (!s.Model.Billing.Add(value)) return in.Fail("Billing", key, "an empty record text");
}

void ReadTraffic(ScenarioReader& in, Scenario& s) {
  TrafficSettings& t = s.Traffic;
  const std::string section = "Traffic";
  in.Bool(section, "Enabled", t.Enabled);
  int seed = static_cast<int>(t.Seed);
  in.Int(section, "Seed", 0, 2147483647, seed);
  t.Seed = static_cast<uint64_t>(seed);
  in.Int(section, "StepMs", 10, 3600000, t.StepMs);
  in.Int(section, "CallPerMille", 0, 1000, t.CallPerMille);
  in.Int(section, "IncomingPercent", 0, 100, t.IncomingPercent);
  in.Range(section, "RingSteps", t.RingMinSteps, t.RingMaxSteps);
  in.Range(section, "DialSteps", t.DialMinSteps, t.DialMaxSteps);
  in.Range(section, "TalkSteps", t.TalkMinSteps, t.TalkMaxSteps);
  in.Bool(section, "QueueBilling", t.QueueBilling);
  if (in.Has(section, "ExternalNumbers")) {
    const std::string text = in.Text(section, "ExternalNumbers", "");
    t.ExternalNumbers = text.empty() ? std::vector<std::string>{} : SplitAt(text, ',');
    for (const auto& number : t.ExternalNumbers)
      if (!ValidNumber(number, 40))
        return in.Fail(section, "ExternalNumbers", "'" + number + "' is not a telephone number");
  }
}

// As the agent shows it: major in hex, minor in hex with two digits.
std::string VersionText(const ExchangeModel& m) {
  char text[16];
  std::snprintf(text, sizeof text, "%X.%02X", m.Info[0], m.Info[1]);
  return text;
}

}  // namespace

Scenario DefaultScenario() {
  Scenario s;
  SetDefaultRecords(s.Model);
  SetPorts(s.Model, kDefaultPorts, kDefaultFirstExtension);
  s.Model.Mailboxes = {"201", "202", "203", "204"};
  std::string error;
  LayOutShortNumbers({{{"Reception", "100"}, {"Service desk", "0222333444"}, {"Taxi", "0601999888"}},
                      {{"Home", "0601234567"}, {"Office", "0222111000"}},
                      {{"Night line", "*21#"}}},
                     s.Model, error);
  s.Model.SetSlot(0, 'I', "operator@example.com", "Exchange alarm", "Fan 2 runs slow");
  s.Model.Billing.Add("2026-01-05 07:58:12;203;OUT;0222333444;75");
  s.Model.Billing.Add("2026-01-05 07:59:40;201;IN;0601234567;31");
  s.Traffic.ExternalNumbers = {"0601234567", "0222333444", "0731555666", "0800123123"};
  return s;
}

bool LoadScenario(const std::string& fileName, Scenario& scenario, std::string& error) {
  TIniFile ini(fileName);
  if (!ini.FileExists()) {
    error = "scenario file " + fileName + " not found";
    return false;
  }
  Scenario s = DefaultScenario();
  ScenarioReader in(ini);
  ReadExchange(in, s);
  ReadPorts(in, s);
  ReadExchangeRecords(in, s);
  ReadMailboxes(in, s);
  ReadPersonal(in, s);
  ReadSlots(in, s);
  ReadBilling(in, s);
  ReadTraffic(in, s);
  if (in.Failed()) {
    error = fileName + ": " + in.Error();
    return false;
  }
  scenario = std::move(s);
  return true;
}

std::string DescribeScenario(const Scenario& s) {
  const ExchangeModel& m = s.Model;
  size_t messages = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) messages += !m.SlotEmpty(slot);
  std::ostringstream out;
  out << m.Ports.size() << " ports";
  if (!m.Ports.empty()) out << " (" << m.Ports.front().Number << " to " << m.Ports.back().Number << ")";
  out << ", " << m.Mailboxes.size() << " mailboxes, " << m.Personal.size()
      << " Personal records, " << messages << " of " << kSlotCount << " message slots in use, "
      << m.Billing.Waiting() << " billing records; version " << VersionText(m) << "; traffic ";
  if (s.Traffic.Enabled)
    out << "seed " << s.Traffic.Seed << ", a step every " << s.Traffic.StepMs << " ms";
  else
    out << "off";
  return out.str();
}

}  // namespace exchange
